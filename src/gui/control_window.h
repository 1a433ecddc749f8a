// The control window ("Control (F3)"): the objective type buttons, the list
// of the nation that owns what is clicked ("Current Control"), the list of
// its original owner, and the "Area Mode" / "Hex Mode" labels. It turns its
// events into the calls of view/control.h; the window sees F1, F2 and F3
// before its controls do.
//
// The lists are filled when the window is made. Loading a map or choosing a
// nation set must close it (CloseControlWindow), so the next
// ShowControlWindow builds it with the new nations.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "editing/control.h"
#include "editing/map_editor.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace korv {

class ControlWindow : public QWidget {
 public:
  explicit ControlWindow(MapEditor& session, QWidget* parent = nullptr);

  // F1: show the jump map window; F2: show the tile picker.
  std::function<void()> onShowJumpMap;
  std::function<void()> onShowTilePicker;
  // After a button or list click that switched the main window into hex
  // control mode from another mode (its deployment button caption may need
  // to follow).
  std::function<void()> onHexControlMode;

  // The controls, for tests and the main window.
  QPushButton* ObjectiveButton(const std::string& caption) const;
  QListWidget* OwnerList() const { return ownerList_; }
  QListWidget* OriginalOwnerList() const { return originalOwnerList_; }
  QLabel* AreaModeLabel() const { return areaLabel_; }
  QLabel* HexModeLabel() const { return hexLabel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // True when the key was one of the window's own (F1, F2, F3).
  bool HandleKey(int qtKey);
  void OwnerListChosen(int row);
  void OriginalOwnerListChosen(int row);
  void ShowModeLabels(const ControlModeLabels& labels);
  void AfterModeChange(bool editModeChanged);

  MapEditor& session_;
  std::vector<QPushButton*> objectiveButtons_;
  QListWidget* ownerList_ = nullptr;
  QListWidget* originalOwnerList_ = nullptr;
  QLabel* areaLabel_ = nullptr;
  QLabel* hexLabel_ = nullptr;
};

// Shows the control window, making it first when there is none; `onCreated`
// runs once on a new window (to connect its callbacks). Returns the window.
ControlWindow* ShowControlWindow(QPointer<ControlWindow>& window, MapEditor& session,
                                 QWidget* parent,
                                 const std::function<void(ControlWindow&)>& onCreated = {});
// Closes and destroys the control window at once, if there is one.
void CloseControlWindow(QPointer<ControlWindow>& window);

// The key code the editor's key tables use for a Qt key (F1 = 112 ...
// F12 = 123; letters and digits as their upper-case character), or 0.
int EditorKeyCode(int qtKey);

}  // namespace korv
