#pragma once

#include <string>

namespace ravelin::platform {

// Plain-text clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace ravelin::platform
