#include "storage/save_failure.h"

#include <string>

namespace brennquist {
namespace {

class SaveFailureCategory final : public std::error_category {
  public:
    [[nodiscard]] const char* name() const noexcept override { return "brennquist save"; }
    [[nodiscard]] std::string message(int value) const override {
        return value == static_cast<int>(SaveFailure::kNewContentInPlace)
                   ? "the file was replaced after a failure"
                   : "unknown save failure";
    }
};

}  // namespace

std::error_code make_error_code(SaveFailure failure) {
    static const SaveFailureCategory category;
    return {static_cast<int>(failure), category};
}

}  // namespace brennquist
