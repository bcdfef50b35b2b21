#include "storage/atomic_file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <utility>

#include "storage/file_descriptor.h"
#include "storage/file_path.h"
#include "storage/in_place_file_write.h"

namespace brennquist {
namespace {

constexpr int kNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the user's umask

// A file created for writing that is removed again unless Keep() is called.
class TemporaryFile {
  public:
    TemporaryFile(std::string path, FileDescriptor file)
        : path_(std::move(path)), file_(std::move(file)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    TemporaryFile(TemporaryFile&&) = default;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    ~TemporaryFile() {
        file_.Close();
        if (!kept_ && !path_.empty()) {
            ::unlink(path_.c_str());
        }
    }

    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] const FileDescriptor& File() const { return file_; }
    std::error_code Close() { return file_.Close(); }
    void Keep() { kept_ = true; }

  private:
    std::string path_;
    FileDescriptor file_;
    bool kept_ = false;
};

std::string RandomSuffix(std::minstd_rand& random) {
    std::uniform_int_distribution<std::uint32_t> digits(0, 0xFFFFFF);
    std::array<char, 8> text{};
    const auto result = std::to_chars(text.begin(), text.end(), digits(random), 16);
    return {text.begin(), result.ptr};
}

// Creates "<path>.tmp<random>" exclusively, so no other file is ever reused.
std::error_code CreateTemporaryBeside(const std::string& path, std::optional<TemporaryFile>& out) {
    std::minstd_rand random(static_cast<std::uint32_t>(
        ::getpid() ^ std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = path + ".tmp" + RandomSuffix(random);
        FileDescriptor file =
            OpenFile(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, kNewFileMode);
        if (file.IsOpen()) {
            out.emplace(std::move(name), std::move(file));
            return {};
        }
        if (errno != EEXIST) {
            return LastSystemError();
        }
    }
    return std::make_error_code(std::errc::file_exists);
}

// Refuses to replace a file the user may not write, and hands its permissions
// on to the replacement.
std::error_code TakeOverExistingFile(const std::string& path, const FileDescriptor& replacement) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return errno == ENOENT ? std::error_code{} : LastSystemError();
    }
    if (!S_ISREG(status.st_mode)) {
        return {};  // the rename reports what stands in the way
    }
    if (::access(path.c_str(), W_OK) != 0) {
        return LastSystemError();
    }
    if (::fchmod(replacement.Get(), status.st_mode & 07777) != 0) {
        return LastSystemError();
    }
    return {};
}

// Makes the rename itself durable. The new content is in place already, so a
// failure here is not reported.
void FlushFolder(const std::string& path) {
    const FileDescriptor folder = OpenFile(FolderOf(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder.IsOpen()) {
        ::fsync(folder.Get());
    }
}

// A regular file the user may write, for when no new file can be made beside it.
bool IsWritableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), W_OK) == 0;
}

// Fills the temporary file, takes the place of `path` with it and flushes.
// `renameRefused` tells a failure of the replace itself: the file system may
// refuse to put a new file where the old one is (a file bind-mounted in place,
// another user's file in a sticky folder) and still let the file be written.
std::error_code ReplaceWith(TemporaryFile& temporary, const std::string& path,
                            std::string_view bytes, bool& renameRefused) {
    if (const std::error_code error = TakeOverExistingFile(path, temporary.File())) {
        return error;
    }
    if (const std::error_code error = WriteAll(temporary.File(), bytes)) {
        return error;
    }
    if (const std::error_code error = FlushToDisk(temporary.File())) {
        return error;
    }
    if (const std::error_code error = temporary.Close()) {
        return error;
    }
    if (::rename(temporary.Path().c_str(), path.c_str()) != 0) {
        renameRefused = true;
        return LastSystemError();
    }
    temporary.Keep();
    FlushFolder(path);
    return {};
}

}  // namespace

std::error_code SaveFileContent(const std::filesystem::path& path, std::string_view bytes) {
    std::string target;
    if (const std::error_code error = ResolveLinks(path.native(), target)) {
        return error;
    }
    std::optional<TemporaryFile> temporary;
    if (const std::error_code error = CreateTemporaryBeside(target, temporary)) {
        return IsWritableFile(target) ? WriteFileInPlace(target, bytes) : error;
    }
    bool renameRefused = false;
    const std::error_code error = ReplaceWith(*temporary, target, bytes, renameRefused);
    if (renameRefused && IsWritableFile(target)) {
        temporary.reset();  // removes it before the file is touched
        return WriteFileInPlace(target, bytes);
    }
    return error;
}

}  // namespace brennquist
