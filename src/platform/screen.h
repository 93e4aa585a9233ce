#pragma once

namespace ravelin::platform {

// What the program needs to know of the screen it runs on.
struct ScreenMetrics {
    int width = 1280;
    int height = 1024;
    double dpiX = 96.0;
    double dpiY = 96.0;
};

}  // namespace ravelin::platform
