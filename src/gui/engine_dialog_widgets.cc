#include "gui/engine_dialog_widgets.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

namespace {

QCheckBox* AddCheck(QDialog& dialog, QVBoxLayout* layout, const char* label, bool checked) {
    auto* box = new QCheckBox(label, &dialog);
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}

// Runs the form until OK passes the data's checks or the user cancels.
bool RunForm(QDialog& dialog, QVBoxLayout* outer, platform::Dialog& data,
             const std::function<void()>& store) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    outer->addWidget(buttons);
    const auto showMessage = MessageBoxFor(&dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        store();
        if (std::string problem = data.Validate(); !problem.empty()) {
            showMessage(problem);
            return;
        }
        dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool RunCraftyGameInfoDialog(shell::CraftyGameInfoDialog& data, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(ToQString(data.Title()));
    dialog.setObjectName(ToQString(data.Title()));
    auto* outer = new QVBoxLayout(&dialog);
    engine::PlayOptions& options = data.options;
    QCheckBox* first = AddCheck(dialog, outer, "Crafty to move first", options.engineFirst);
    QCheckBox* resume = AddCheck(dialog, outer, "Continue game", data.continueGame);
    QCheckBox* ponder = AddCheck(dialog, outer, "Disable pondering", options.disablePondering);
    QCheckBox* general =
        AddCheck(dialog, outer, "Display general information messages", options.displayGeneral);
    QCheckBox* variation =
        AddCheck(dialog, outer, "Display variation after each iteration", options.displayVariation);
    auto* form = new QFormLayout();
    auto* moves = new QLineEdit(ToQString(options.movesText), &dialog);
    auto* minutes = new QLineEdit(ToQString(options.minutesText), &dialog);
    auto* increment = new QLineEdit(ToQString(options.incrementText), &dialog);
    for (QLineEdit* edit : {moves, minutes, increment}) {
        edit->setMaxLength(static_cast<int>(shell::kTimeFieldLength));
    }
    form->addRow("Number of moves in the game", moves);
    form->addRow("Initial time on the clock (minutes)", minutes);
    form->addRow("Fischer clock increment (seconds)", increment);
    outer->addLayout(form);
    return RunForm(dialog, outer, data, [&] {
        options.engineFirst = first->isChecked();
        data.continueGame = resume->isChecked();
        options.disablePondering = ponder->isChecked();
        options.displayGeneral = general->isChecked();
        options.displayVariation = variation->isChecked();
        options.movesText = moves->text().trimmed().toStdString();
        options.minutesText = minutes->text().trimmed().toStdString();
        options.incrementText = increment->text().trimmed().toStdString();
    });
}

bool RunCraftyPositionInfoDialog(shell::CraftyPositionInfoDialog& data, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(ToQString(data.Title()));
    dialog.setObjectName(ToQString(data.Title()));
    auto* outer = new QVBoxLayout(&dialog);
    engine::PositionInfo& info = data.info;
    auto* white = new QRadioButton("White to move", &dialog);
    auto* black = new QRadioButton("Black to move", &dialog);
    (info.blackToMove ? black : white)->setChecked(true);
    outer->addWidget(white);
    outer->addWidget(black);
    QCheckBox* wk = AddCheck(dialog, outer, "White can castle King side", info.whiteKingSide);
    QCheckBox* wq = AddCheck(dialog, outer, "White can castle Queen side", info.whiteQueenSide);
    QCheckBox* bk = AddCheck(dialog, outer, "Black can castle King side", info.blackKingSide);
    QCheckBox* bq = AddCheck(dialog, outer, "Black can castle Queen side", info.blackQueenSide);
    auto* form = new QFormLayout();
    auto* enPassant = new QLineEdit(ToQString(info.enPassant), &dialog);
    enPassant->setMaxLength(static_cast<int>(shell::kEnPassantFieldLength));
    form->addRow("En passant square", enPassant);
    outer->addLayout(form);
    return RunForm(dialog, outer, data, [&] {
        info.blackToMove = black->isChecked();
        info.whiteKingSide = wk->isChecked();
        info.whiteQueenSide = wq->isChecked();
        info.blackKingSide = bk->isChecked();
        info.blackQueenSide = bq->isChecked();
        info.enPassant = enPassant->text().trimmed().toStdString();
    });
}

}  // namespace ravelin::gui
