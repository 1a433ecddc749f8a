#include "gui/help_windows.h"

#include <QLabel>
#include <QVBoxLayout>

#include "editing/help_texts.h"

namespace korv {

namespace {

void Present(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

HelpWindow::HelpWindow(int mapFileVersion, QWidget* parent) : QWidget(parent, Qt::Tool) {
  setWindowTitle(kHelpWindowCaption);
  // Each line of the text ends in a carriage return; a label breaks lines
  // at line feeds.
  QString text = QString::fromStdString(KeyboardHelpText(mapFileVersion));
  text.replace(QChar('\r'), QChar('\n'));
  text_ = new QLabel(text.trimmed(), this);
  text_->setTextFormat(Qt::PlainText);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
}

TileCommandsWindow::TileCommandsWindow(const GameFolder& folder, QWidget* parent)
    : QWidget(parent, Qt::Tool) {
  setWindowTitle(kTileCommandsWindowCaption);
  auto* layout = new QVBoxLayout(this);
  for (const std::string& text : ReadTileCommandTexts(folder)) {
    auto* label = new QLabel(QString::fromStdString(text), this);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    labels_.push_back(label);
  }
}

QLabel* TileCommandsWindow::Label(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= labels_.size()) return nullptr;
  return labels_[static_cast<size_t>(index)];
}

HelpWindow* ShowHelpWindow(QPointer<HelpWindow>& window, int mapFileVersion, QWidget* parent) {
  if (!window) window = new HelpWindow(mapFileVersion, parent);
  Present(window);
  return window;
}

TileCommandsWindow* ShowTileCommandsWindow(QPointer<TileCommandsWindow>& window,
                                           const GameFolder& folder, QWidget* parent) {
  if (!window) window = new TileCommandsWindow(folder, parent);
  Present(window);
  return window;
}

}  // namespace korv
