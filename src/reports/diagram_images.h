#pragma once

// The 26 GIF images an HTML diagram shows. The program ships them in a folder of its data; a page
// is written with them copied beside it, keeping any image of that name already there (the user's
// own pictures).

#include <string>

namespace ravelin::reports {

inline constexpr char kDiagramImageFolder[] = "diagram";

// The folder of the shipped images: "diagram" in the shipped data, or, in the build tree where the
// data folder is the source's own, "ravelin-diagram" beside it.
std::string DiagramImageDirectory(const std::string& shippedDataDirectory);

// Copies every image missing in targetDirectory from sourceDirectory. An empty answer on success,
// else the image that could not be copied.
std::string CopyDiagramImages(const std::string& sourceDirectory, const std::string& targetDirectory);

}  // namespace ravelin::reports
