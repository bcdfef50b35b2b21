#include "storage/save_failure.h"

#include <string>

namespace brennquist {
namespace {

class SaveFailureCategory final : public std::error_category {
  public:
    [[nodiscard]] const char* name() const noexcept override { return "brennquist save"; }
    [[nodiscard]] std::string message(int value) const override {
        switch (static_cast<SaveFailure>(value)) {
            case SaveFailure::kNewContentInPlace:
                return "the file was replaced after a failure";
            case SaveFailure::kFileMayHoldNeither:
                return "the old content could not be put back";
            case SaveFailure::kOldContentInBackup:
                return "the old content is in the backup file";
        }
        return "unknown save failure";
    }
};

}  // namespace

std::error_code make_error_code(SaveFailure failure) {
    static const SaveFailureCategory category;
    return {static_cast<int>(failure), category};
}

std::filesystem::path SaveBackupPath(const std::filesystem::path& file) {
    std::filesystem::path backup = file;
    backup += ".alt";
    return backup;
}

}  // namespace brennquist
