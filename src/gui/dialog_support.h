#pragma once

// Small pieces the dialog forms share.

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <string_view>

namespace ravelin::gui {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// Shows a form's refusal in a message box over the form, which stays open.
inline std::function<void(const std::string&)> MessageBoxFor(QWidget* parent) {
    return [parent](const std::string& text) {
        QMessageBox::information(parent, "Ravelin", QString::fromStdString(text));
    };
}

}  // namespace ravelin::gui
