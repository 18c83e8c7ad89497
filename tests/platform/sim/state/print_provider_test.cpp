// The print provider's job records: texts that keep to their line, damaged records reported
// with their file and line instead of stopping the command, and job numbers never reused.
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/state/print_provider.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

TEST(SimJobRecords, EveryTextComesBackAsTheProgramGaveIt) {
    TempMachine m;
    const sim::PrintProvider provider(m.machine());
    sim::SimJob job;
    job.printer = "PX \\x<A";
    job.document = "line\nbreak\r\ttab \\ back\x01";
    job.dataType = "RAW";
    job.port = "USB\\001";
    job.pages = 4294967295u;
    const std::uint32_t id = provider.StartJob(job);
    ASSERT_EQ(id, 1u);
    job.id = id;
    job.completed = true;
    ASSERT_TRUE(provider.UpdateJob(job));

    std::string problem;
    auto back = provider.Job(id, &problem);
    ASSERT_TRUE(back) << problem;
    EXPECT_EQ(back->printer, job.printer);
    EXPECT_EQ(back->document, job.document);
    EXPECT_EQ(back->port, job.port);
    EXPECT_EQ(back->pages, job.pages);
    EXPECT_TRUE(back->completed);
    // Seven records, one a line: nothing the program gave broke a line.
    std::ifstream in(provider.JobsDir() / "0001.info");
    int lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    EXPECT_EQ(lines, 7);
}

TEST(SimJobRecords, ADamagedRecordIsNamedWithItsLineAndTheOthersStillList) {
    struct Case {
        const char* text;
        const char* where;
    };
    const Case cases[] = {
        {"id=2\nprinter=PX \\x<A\n", "0002.info line 2"},
        {"id=2\nprinter=PX \\x4\n", "0002.info line 2"},
        {"id=2\ndocument=ends in \\\n", "0002.info line 2"},
        {"id=2\ndocument=\\q\n", "0002.info line 2"},
        {"id=2\npages=many\n", "0002.info line 2"},
        {"id=2\npages=-1\n", "0002.info line 2"},
        {"id=99999999999\n", "0002.info line 1"},
        {"id=2\nport=x\ncompleted=maybe\n", "0002.info line 3"},
        {"id=2\nno equals sign\n", "0002.info line 2"},
        {"printer=x\n", "0002.info no id"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TempMachine m;
        const sim::PrintProvider provider(m.machine());
        sim::SimJob good;
        good.printer = "P";
        ASSERT_EQ(provider.StartJob(good), 1u);
        WriteFile(provider.JobsDir() / "0002.info", c.text);

        std::vector<std::string> problems;
        std::vector<sim::SimJob> jobs = provider.Jobs(&problems);
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(jobs[0].id, 1u);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems[0].find(c.where), std::string::npos) << problems[0];

        std::string problem;
        EXPECT_FALSE(provider.Job(2, &problem));
        EXPECT_NE(problem.find(c.where), std::string::npos) << problem;
        EXPECT_TRUE(provider.Job(1, &problem));
    }
}

TEST(SimJobRecords, ADamagedOrMissingCounterNeverHandsOutANumberTwice) {
    const char* const counters[] = {"garbage\n", "", "1\n", nullptr};
    for (const char* counter : counters) {
        SCOPED_TRACE(counter ? counter : "(no counter)");
        TempMachine m;
        const sim::PrintProvider provider(m.machine());
        ASSERT_EQ(provider.StartJob({}), 1u);
        ASSERT_EQ(provider.StartJob({}), 2u);
        const auto file = provider.JobsDir() / "last-id";
        if (counter)
            WriteFile(file, counter);
        else
            std::filesystem::remove(file);
        EXPECT_EQ(provider.StartJob({}), 3u);
    }
}

}  // namespace
