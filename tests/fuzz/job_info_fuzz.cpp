// Fuzz target: the spooled jobs' records (spool/jobs/NNNN.info) on a simulated machine. Any
// record file is read without throwing past the caller; a job recorded with any printer,
// document, data type and port reads back as it was recorded.
#include "platform/sim/state/print_provider.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::ThrowawayMachine& machine = fuzz::Machine();
    sim::PrintProvider provider(machine.machine());
    std::filesystem::create_directories(provider.JobsDir());
    // Start each input from an empty spool directory.
    for (const auto& entry : std::filesystem::directory_iterator(provider.JobsDir()))
        std::filesystem::remove(entry.path());

    // The input as a record file.
    {
        std::FILE* file = std::fopen((provider.JobsDir() / "0001.info").c_str(), "wb");
        FUZZ_CHECK(file, "cannot write the record");
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    (void)provider.Jobs();
    (void)provider.Job(1);

    // The input as a job's fields.
    fuzz::Picker pick(data, size);
    sim::SimJob job;
    job.printer = pick.Text(20);
    job.document = pick.Text(40);
    job.dataType = pick.Text(8);
    job.port = pick.Text(12);
    job.pages = pick.Uint32();
    job.completed = pick.Byte() & 1;
    job.id = 1;
    FUZZ_CHECK(provider.UpdateJob(job), "cannot record the job");
    std::optional<sim::SimJob> back = provider.Job(1);
    FUZZ_CHECK(back, "the recorded job is missing");
    FUZZ_CHECK(back->printer == job.printer && back->document == job.document && back->dataType == job.dataType &&
                   back->port == job.port && back->pages == job.pages && back->completed == job.completed,
               "the job does not read back as recorded");
    return 0;
}
