// The three tile information dialogs of the tile picker: "Road Connections",
// "Terrain Based Tile Pattern" and "Tile Terrain Type". Each shows the
// current tile with its number, browses with Back and Next (keys B and N)
// and stores with Save (key S); the two side dialogs have six selectors
// around the tile that flip between bmp/c0.bmp and bmp/c1.bmp. What they
// load and store is the logic of autotile/tile_knowledge.h.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "autotile/tile_knowledge.h"
#include "editor/editor.h"

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace korv {

class TileInfoDialog : public QDialog {
 public:
  // Shows the tile that is current now.
  void LoadCurrentTile();
  QPushButton* BackButton() const { return back_; }
  QPushButton* NextButton() const { return next_; }
  QPushButton* SaveButton() const { return save_; }
  // Called when the dialog is closed: its routing switch goes off.
  std::function<void()> onClosed;

 protected:
  TileInfoDialog(Editor& editor, const char* caption, QWidget* parent);
  // The tile's values from the stored files, and storing them.
  virtual void Load(int tile) = 0;
  virtual bool Save(int tile, std::string& error) = 0;
  // Six selectors around the tile picture, in the neighbour order.
  void AddSideSelectors();
  void ShowSides(const SideStates& sides);
  SideStates Sides() const;
  QWidget* body_ = nullptr;  // the dialog's own controls go here

  Editor& editor_;

  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;

 private:
  // B, N and S; false for any other key.
  bool HandleKey(int key);
  void Step(int direction);
  void Store();

  QLabel* picture_ = nullptr;
  QLabel* number_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* save_ = nullptr;
  std::array<QPushButton*, 6> sides_{};
  SideStates sideStates_{};
};

class RoadConnectionsDialog : public TileInfoDialog {
 public:
  RoadConnectionsDialog(Editor& editor, QWidget* parent = nullptr);

 protected:
  void Load(int tile) override;
  bool Save(int tile, std::string& error) override;

 private:
  RoadConnectionsEdit edit_;
};

class TilePatternDialog : public TileInfoDialog {
 public:
  TilePatternDialog(Editor& editor, QWidget* parent = nullptr);
  QRadioButton* MemberYes() const { return yes_; }

 protected:
  void Load(int tile) override;
  bool Save(int tile, std::string& error) override;

 private:
  TilePatternEdit edit_;
  QLabel* instruction_ = nullptr;
  QRadioButton* yes_ = nullptr;
  QRadioButton* no_ = nullptr;
};

class TileTerrainTypeDialog : public TileInfoDialog {
 public:
  TileTerrainTypeDialog(Editor& editor, QWidget* parent = nullptr);
  QListWidget* TerrainList() const { return list_; }

 protected:
  void Load(int tile) override;
  bool Save(int tile, std::string& error) override;

 private:
  TileTerrainTypeEdit edit_;
  QListWidget* list_ = nullptr;
  QRadioButton* yes_ = nullptr;
  QRadioButton* no_ = nullptr;
};

}  // namespace korv
