// The user-interaction service of the desktop editor: message boxes, a
// progress text shown in the window and the busy pointer.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/interaction.h"

namespace korv {

class GuiInteraction : public UserInteraction {
 public:
  explicit GuiInteraction(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  // Where progress texts go (the main window's progress label).
  void SetProgressSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }

  void Message(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void Progress(const std::string& text) override;
  void SetBusy(bool busy) override;

 private:
  QPointer<QWidget> parent_;
  std::function<void(const std::string&)> sink_;
};

}  // namespace korv
