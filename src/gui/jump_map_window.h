// The jump map window ("Jump Map (F1)"): the whole map at one pixel per hex
// with the outline of what the main window shows; a click centres the main
// view there. Its menus overlay the objectives' flags ("Country",
// "Objectives") and choose what is black ("Terrain" > "Roads", "Cities").
#pragma once

#include <QAbstractScrollArea>
#include <QMainWindow>
#include <functional>

#include "editing/map_editor.h"

class QListWidget;

namespace korv {

class JumpMapView : public QAbstractScrollArea {
 public:
  JumpMapView(const JumpMapState& jumpMap, QWidget* parent);
  void UpdateRanges();
  // Each hex's pixel is shown as a square of this many screen pixels, so
  // that a small map is not a speck on a large screen (1 for large maps).
  int Scale() const;
  std::function<void(int x, int y)> onClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const JumpMapState& jumpMap_;
};

class JumpMapWindow : public QMainWindow {
 public:
  JumpMapWindow(MapEditor& session, QWidget* parent = nullptr);

  // The outline drawn again and shown.
  void Refresh();
  JumpMapView* View() const { return view_; }
  QListWidget* Countries() const { return countries_; }

  // The main view was moved by a click: its scroll bars follow.
  std::function<void()> onViewMoved;
  // F2 and F3 in the window.
  std::function<void()> onShowTilePicker;
  std::function<void()> onShowControl;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Repaint(int highlightTerrain);
  void Flags(int nation);
  void Centre(int x, int y);

  MapEditor& session_;
  JumpMapView* view_;
  QListWidget* countries_;
};

}  // namespace korv
