#include "gui/gui_interaction.h"

#include <QApplication>
#include <QMessageBox>

namespace korv {

namespace {

// The questions end their first sentence with a carriage return alone; a
// message box breaks the line there.
QString Shown(const std::string& text) {
  return QString::fromStdString(LinesForDisplay(text));
}

}  // namespace

void GuiInteraction::Message(const std::string& text) {
  QMessageBox::information(parent_, QStringLiteral("Korv Map Editor"), Shown(text));
}

bool GuiInteraction::AskOkCancel(const std::string& text) {
  return QMessageBox::question(parent_, QStringLiteral("Korv Map Editor"), Shown(text),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool GuiInteraction::AskYesNo(const std::string& text) {
  return QMessageBox::question(parent_, QStringLiteral("Korv Map Editor"), Shown(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void GuiInteraction::Progress(const std::string& text) {
  if (sink_) sink_(text);
}

void GuiInteraction::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace korv
