#pragma once

#include <string>

namespace ravelin::platform {

// A dialog is plain data owned by the core: its fields are members of a subclass and its checks
// live in Validate, so the same checks run whether a person or a test script fills it in.
class Dialog {
public:
    virtual ~Dialog() = default;
    // The dialog's title, also the key by which scripts and the GUI find its form.
    virtual std::string Title() const = 0;
    // Empty when the fields are acceptable, otherwise the message to show; the dialog stays open.
    virtual std::string Validate() { return {}; }
};

class DialogService {
public:
    virtual ~DialogService() = default;
    // Shows the dialog modally until it is accepted (and valid) or cancelled; true when accepted.
    virtual bool RunDialog(Dialog& dialog) = 0;
};

}  // namespace ravelin::platform
