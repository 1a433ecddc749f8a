#include "gui/control_window.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace korv {

namespace {

// A label that reports a press of the left button.
class ClickableLabel : public QLabel {
 public:
  ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}
  std::function<void()> onClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && onClick) onClick();
    QLabel::mousePressEvent(event);
  }
};

void SetBold(QLabel* label, bool bold) {
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
}

QListWidget* MakeNationList(const NationTables& nations, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const std::string& entry : FillNationList(nations)) {
    list->addItem(QString::fromStdString(entry));
  }
  return list;
}

// The row a single-selection list has selected, or -1.
int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> items = list->selectedItems();
  return items.isEmpty() ? -1 : list->row(items.first());
}

}  // namespace

ControlWindow::ControlWindow(MapEditor& session, QWidget* parent)
    : QWidget(parent, Qt::Tool), session_(session) {
  setWindowTitle(kControlWindowCaption);
  const NationTables& nations = session_.editor.Nations;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Objective Type", this));
  auto* buttons = new QGridLayout;
  int index = 0;
  for (const ObjectiveButtonEntry& entry : kObjectiveButtons) {
    auto* button = new QPushButton(entry.caption, this);
    const uint8_t mark = entry.mark;
    connect(button, &QPushButton::clicked, this,
            [this, mark] { AfterModeChange(ObjectiveButton_Click(session_, mark)); });
    buttons->addWidget(button, index / 2, index % 2);
    objectiveButtons_.push_back(button);
    ++index;
  }
  layout->addLayout(buttons);

  layout->addWidget(new QLabel("Current Control", this));
  ownerList_ = MakeNationList(nations, this);
  layout->addWidget(ownerList_, 1);
  layout->addWidget(new QLabel("Original Owner", this));
  originalOwnerList_ = MakeNationList(nations, this);
  layout->addWidget(originalOwnerList_, 1);

  auto* modes = new QHBoxLayout;
  auto* area = new ClickableLabel("Area Mode", this);
  auto* hex = new ClickableLabel("Hex Mode", this);
  area->onClick = [this] { ShowModeLabels(ModeLabel_Click(ControlModeLabel::kArea)); };
  hex->onClick = [this] { ShowModeLabels(ModeLabel_Click(ControlModeLabel::kHex)); };
  areaLabel_ = area;
  hexLabel_ = hex;
  modes->addWidget(areaLabel_);
  modes->addWidget(hexLabel_);
  modes->addStretch();
  layout->addLayout(modes);
  ShowModeLabels(ControlModeLabels{});

  // The selection kept from an earlier window is shown, without acting as a
  // click (which would change the edit mode).
  const ControlSelection& control = session_.control;
  ownerList_->setCurrentRow(ListPositionOfNation(nations, control.SelectedNation));
  originalOwnerList_->setCurrentRow(ListPositionOfNation(nations, control.SelectedOriginalOwner));

  // A choice by mouse or keys changes the selection; a click on the row
  // already chosen does not, but still counts as a click.
  connect(ownerList_, &QListWidget::itemSelectionChanged, this,
          [this] { OwnerListChosen(SelectedRow(ownerList_)); });
  connect(ownerList_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OwnerListChosen(ownerList_->row(item)); });
  connect(originalOwnerList_, &QListWidget::itemSelectionChanged, this,
          [this] { OriginalOwnerListChosen(SelectedRow(originalOwnerList_)); });
  connect(originalOwnerList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    OriginalOwnerListChosen(originalOwnerList_->row(item));
  });

  // The window sees its keys before its controls.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  resize(260, 520);
}

QPushButton* ControlWindow::ObjectiveButton(const std::string& caption) const {
  for (QPushButton* button : objectiveButtons_) {
    if (button->text().toStdString() == caption) return button;
  }
  return nullptr;
}

void ControlWindow::OwnerListChosen(int row) {
  if (row < 0) return;
  const OwnerListOutcome outcome = OwnerList_Click(session_, row);
  if (outcome.moveOriginalOwnerList) {
    const int target = *outcome.moveOriginalOwnerList;
    if (originalOwnerList_->currentRow() == target && SelectedRow(originalOwnerList_) == target) {
      OriginalOwnerListChosen(target);
    } else {
      originalOwnerList_->setCurrentRow(target);  // its selection handler runs
    }
  }
  AfterModeChange(outcome.editModeChanged);
}

void ControlWindow::OriginalOwnerListChosen(int row) {
  if (row < 0) return;
  OriginalOwnerList_Click(session_, row);
}

void ControlWindow::ShowModeLabels(const ControlModeLabels& labels) {
  SetBold(areaLabel_, labels.areaBold);
  SetBold(hexLabel_, labels.hexBold);
}

void ControlWindow::AfterModeChange(bool editModeChanged) {
  if (editModeChanged && onHexControlMode) onHexControlMode();
}

bool ControlWindow::HandleKey(int qtKey) {
  switch (ControlWindowKey(EditorKeyCode(qtKey))) {
    case ControlWindowCommand::kShowJumpMap:
      if (onShowJumpMap) onShowJumpMap();
      return true;
    case ControlWindowCommand::kShowTilePicker:
      if (onShowTilePicker) onShowTilePicker();
      return true;
    case ControlWindowCommand::kShowControlWindow:
      show();
      raise();
      activateWindow();
      return true;
    case ControlWindowCommand::kNone:
      return false;
  }
  return false;
}

bool ControlWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event)->key())) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void ControlWindow::keyPressEvent(QKeyEvent* event) {
  if (!HandleKey(event->key())) QWidget::keyPressEvent(event);
}

ControlWindow* ShowControlWindow(QPointer<ControlWindow>& window, MapEditor& session,
                                 QWidget* parent,
                                 const std::function<void(ControlWindow&)>& onCreated) {
  if (!window) {
    window = new ControlWindow(session, parent);
    if (onCreated) onCreated(*window);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void CloseControlWindow(QPointer<ControlWindow>& window) {
  if (!window) return;
  window->close();
  delete window.data();
}

int EditorKeyCode(int qtKey) {
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return qtKey;
  }
  return 0;
}

}  // namespace korv
