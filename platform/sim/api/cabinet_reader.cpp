// A cabinet held in memory, read through libmspack over an in-memory mspack_system: the
// cabinet's bytes are one "file", an extracted file's bytes the other.
#include "platform/sim/api/cabinet_reader.h"

#include <mspack.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace sim {

namespace {

// The two names the decompressor is given; nothing else can be opened.
const char kCabinetName[] = "cabinet";
const char kOutputName[] = "output";

struct MemoryFile {
    std::vector<std::uint8_t>* data;
    std::size_t position;
    bool writable;
};

// mspack_system first, so libmspack's `self` pointer is this object.
struct MemorySystem {
    mspack_system sys;
    std::vector<std::uint8_t> cabinet;
    std::vector<std::uint8_t> output;
};
static_assert(std::is_standard_layout_v<MemorySystem>);

MemoryFile* AsFile(mspack_file* file) { return reinterpret_cast<MemoryFile*>(file); }

mspack_file* OpenMemory(mspack_system* self, const char* name, int mode) {
    auto* system = reinterpret_cast<MemorySystem*>(self);
    MemoryFile* file = nullptr;
    if (std::strcmp(name, kCabinetName) == 0 && mode == MSPACK_SYS_OPEN_READ) {
        file = new MemoryFile{&system->cabinet, 0, false};
    } else if (std::strcmp(name, kOutputName) == 0 && mode == MSPACK_SYS_OPEN_WRITE) {
        system->output.clear();
        file = new MemoryFile{&system->output, 0, true};
    }
    return reinterpret_cast<mspack_file*>(file);
}

void CloseMemory(mspack_file* file) { delete AsFile(file); }

int ReadMemory(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile* file = AsFile(handle);
    if (bytes < 0) return -1;
    const std::size_t size = file->data->size();
    const std::size_t available = file->position < size ? size - file->position : 0;
    const std::size_t n = std::min(available, static_cast<std::size_t>(bytes));
    if (n > 0) std::memcpy(buffer, file->data->data() + file->position, n);
    file->position += n;
    return static_cast<int>(n);
}

int WriteMemory(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile* file = AsFile(handle);
    if (!file->writable || bytes < 0) return -1;
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::vector<std::uint8_t>& data = *file->data;
    if (data.size() < file->position + bytes) data.resize(file->position + bytes);
    std::copy(in, in + bytes, data.begin() + static_cast<std::ptrdiff_t>(file->position));
    file->position += static_cast<std::size_t>(bytes);
    return bytes;
}

int SeekMemory(mspack_file* handle, off_t offset, int mode) {
    MemoryFile* file = AsFile(handle);
    off_t base = 0;
    if (mode == MSPACK_SYS_SEEK_CUR)
        base = static_cast<off_t>(file->position);
    else if (mode == MSPACK_SYS_SEEK_END)
        base = static_cast<off_t>(file->data->size());
    else if (mode != MSPACK_SYS_SEEK_START)
        return -1;
    // libmspack seeks within the cabinet only; a seek outside it is a damaged offset.
    if ((offset > 0 && base > std::numeric_limits<off_t>::max() - offset)) return -1;
    const off_t target = base + offset;
    if (target < 0 || static_cast<std::uint64_t>(target) > file->data->size()) return -1;
    file->position = static_cast<std::size_t>(target);
    return 0;
}

off_t TellMemory(mspack_file* handle) { return static_cast<off_t>(AsFile(handle)->position); }

void QuietMessage(mspack_file*, const char*, ...) {}

void* AllocMemory(mspack_system*, size_t bytes) { return std::malloc(bytes); }
void FreeMemory(void* p) { std::free(p); }
void CopyMemory(void* from, void* to, size_t bytes) { std::memmove(to, from, bytes); }

}  // namespace

struct CabinetReader::Impl {
    MemorySystem system{};
    mscab_decompressor* decompressor = nullptr;
    mscabd_cabinet* cabinet = nullptr;
    std::vector<mscabd_file*> files;

    ~Impl() {
        if (cabinet) decompressor->close(decompressor, cabinet);
        if (decompressor) mspack_destroy_cab_decompressor(decompressor);
    }
};

CabinetReader::CabinetReader(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
CabinetReader::~CabinetReader() = default;

std::unique_ptr<CabinetReader> CabinetReader::Open(std::vector<std::uint8_t> bytes) {
    auto impl = std::make_unique<Impl>();
    impl->system.sys = mspack_system{OpenMemory, CloseMemory, ReadMemory, WriteMemory,
                                     SeekMemory, TellMemory, QuietMessage, AllocMemory,
                                     FreeMemory, CopyMemory, nullptr};
    impl->system.cabinet = std::move(bytes);
    impl->decompressor = mspack_create_cab_decompressor(&impl->system.sys);
    if (!impl->decompressor) return nullptr;
    impl->cabinet = impl->decompressor->open(impl->decompressor, kCabinetName);
    if (!impl->cabinet) return nullptr;

    std::unique_ptr<CabinetReader> reader(new CabinetReader(std::move(impl)));
    const mscabd_cabinet& cab = *reader->impl_->cabinet;
    reader->cabinetNumber_ = cab.set_index;
    reader->setId_ = cab.set_id;
    if (cab.nextname) reader->nextCabinet_ = cab.nextname;
    if (cab.nextinfo) reader->nextDisk_ = cab.nextinfo;
    for (mscabd_file* f = cab.files; f; f = f->next) {
        CabinetEntry e;
        e.name = f->filename;
        e.size = f->length;
        e.attributes = static_cast<std::uint16_t>(f->attribs);
        // MS-DOS form: years from 1980, seconds in steps of two.
        const int year = f->date_y >= 1980 ? f->date_y - 1980 : 0;
        e.dosDate = static_cast<std::uint16_t>((year << 9) | (f->date_m << 5) | f->date_d);
        e.dosTime = static_cast<std::uint16_t>((f->time_h << 11) | (f->time_m << 5) |
                                               (f->time_s / 2));
        reader->entries_.push_back(std::move(e));
        reader->impl_->files.push_back(f);
    }
    return reader;
}

bool CabinetReader::Extract(std::size_t index, std::vector<std::uint8_t>& out) {
    if (index >= impl_->files.size()) return false;
    const int result =
        impl_->decompressor->extract(impl_->decompressor, impl_->files[index], kOutputName);
    if (result != MSPACK_ERR_OK) return false;
    out = std::move(impl_->system.output);
    impl_->system.output.clear();
    return true;
}

}  // namespace sim
