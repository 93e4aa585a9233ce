#include "reports/diagram_images.h"

#include <filesystem>
#include <system_error>

#include "platform/file_util.h"
#include "reports/html_diagram.h"

namespace ravelin::reports {

namespace {

// The images are a few hundred bytes each.
constexpr std::size_t kMaxImageSize = 1 << 20;

}  // namespace

std::string DiagramImageDirectory(const std::string& shippedDataDirectory) {
    const std::filesystem::path data(shippedDataDirectory);
    std::error_code error;
    if (std::filesystem::is_directory(data / kDiagramImageFolder, error)) {
        return (data / kDiagramImageFolder).string();
    }
    return (data.parent_path() / "ravelin-diagram").string();
}

std::string CopyDiagramImages(const std::string& sourceDirectory, const std::string& targetDirectory) {
    for (const std::string& name : DiagramImageFiles()) {
        const std::string target = targetDirectory + "/" + name;
        if (platform::FileExists(target)) {
            continue;
        }
        std::string image;
        if (!platform::ReadSmallFile(sourceDirectory + "/" + name, image, kMaxImageSize) ||
            !platform::WriteFileReplacing(target, image.data(), image.size())) {
            return name;
        }
    }
    return {};
}

}  // namespace ravelin::reports
