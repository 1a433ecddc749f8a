#include "gui/file_dialog_window.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "editing/map_editor.h"

namespace korv {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

constexpr const char* kParentFolder = "..";

}  // namespace

FileDialogWindow::FileDialogWindow(MapEditor& session, QWidget* parent)
    : QDialog(parent), session_(session), logic_(session.editor) {
  setWindowTitle("File Open");
  setModal(false);

  drives_ = new QComboBox(this);
  folderLabel_ = new QLabel(this);
  folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  folders_ = new QListWidget(this);
  files_ = new QListWidget(this);
  auto* nameLabel = new QLabel("File Name", this);
  fileName_ = new QLineEdit(this);
  nameLabel->setBuddy(fileName_);
  load_ = new QPushButton("Load", this);
  save_ = new QPushButton("Save", this);
  cancel_ = new QPushButton("Cancel", this);
  for (QPushButton* button : {load_, save_, cancel_}) button->setAutoDefault(false);

  auto* left = new QVBoxLayout;
  left->addWidget(drives_);
  left->addWidget(folderLabel_);
  left->addWidget(folders_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(files_, 1);
  right->addWidget(nameLabel);
  right->addWidget(fileName_);
  auto* lists = new QHBoxLayout;
  lists->addLayout(left, 1);
  lists->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(load_);
  buttons->addWidget(save_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(buttons);
  resize(560, 380);

  connect(drives_, &QComboBox::activated, this, [this](int index) {
    logic_.ChooseDrive(drives_->itemData(index).toString().toStdString());
    Refresh();
  });
  connect(folders_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    logic_.EnterSubfolder(item->data(Qt::UserRole).toString().toStdString());
    Refresh();
  });
  connect(files_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    logic_.ClickFile(item->text().toStdString());
    fileName_->setText(item->text());
  });
  connect(files_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    fileName_->setText(item->text());
    if (logic_.LoadEnabled()) {
      LoadClicked();
    } else if (logic_.SaveEnabled()) {
      SaveClicked();
    }
  });
  connect(fileName_, &QLineEdit::textEdited, this,
          [this](const QString& text) { logic_.SetFileName(text.toStdString()); });
  connect(load_, &QPushButton::clicked, this, [this] { LoadClicked(); });
  connect(save_, &QPushButton::clicked, this, [this] { SaveClicked(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Finish(logic_.Cancel()); });
}

bool FileDialogWindow::Open(int16_t mode) {
  if (!logic_.Open(mode)) return false;
  FillDrives();
  Refresh();
  show();
  raise();
  activateWindow();
  fileName_->setFocus();
  return true;
}

void FileDialogWindow::FillDrives() {
  // Mounted volumes stand for drives; pseudo file systems are left out.
  std::vector<std::string> roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const std::string root = volume.rootPath().toStdString();
    if (ShowsAsDrive(volume.fileSystemType().toStdString(), root)) roots.push_back(root);
  }
  std::sort(roots.begin(), roots.end());
  roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
  drives_->clear();
  for (const std::string& root : roots) {
    drives_->addItem(QDir::toNativeSeparators(Text(root)), Text(root));
  }
}

void FileDialogWindow::Refresh() {
  const std::string& folder = logic_.Folder();
  folderLabel_->setText(QDir::toNativeSeparators(Text(folder)));

  // The drive that holds the folder: the longest root that begins its path.
  int drive = -1;
  int longest = -1;
  for (int i = 0; i < drives_->count(); ++i) {
    const std::string root = drives_->itemData(i).toString().toStdString();
    if (folder.rfind(root, 0) == 0 && static_cast<int>(root.size()) > longest) {
      drive = i;
      longest = static_cast<int>(root.size());
    }
  }
  drives_->setCurrentIndex(drive);

  folders_->clear();
  const std::filesystem::path path(folder);
  if (path.has_relative_path()) {
    auto* up = new QListWidgetItem("[..]", folders_);
    up->setData(Qt::UserRole, kParentFolder);
  }
  for (const std::string& name : logic_.Subfolders()) {
    auto* item = new QListWidgetItem(Text("[" + name + "]"), folders_);
    item->setData(Qt::UserRole, Text(name));
  }

  files_->clear();
  for (const std::string& name : logic_.Files()) files_->addItem(Text(name));
  fileName_->setText(Text(logic_.FileName()));
  load_->setEnabled(logic_.LoadEnabled());
  save_->setEnabled(logic_.SaveEnabled());
}

void FileDialogWindow::LoadClicked() {
  logic_.SetFileName(fileName_->text().toStdString());
  Finish(logic_.Load());
}

void FileDialogWindow::SaveClicked() {
  logic_.SetFileName(fileName_->text().toStdString());
  Finish(logic_.Save());
}

void FileDialogWindow::Finish(const FileDialogOutcome& outcome) {
  if (outcome.Closes) hide();
  if (outcome.MapReplaced) MapReplaced(session_, outcome.NationSetChanged);
  if ((outcome.MapReplaced || outcome.CaptionChanged || outcome.NationSetChanged) && onChanged) {
    onChanged(outcome);
  }
  if (!outcome.Closes) Refresh();
}

FileDialogWindow* ShowFileDialog(QWidget* parent, MapEditor& session, int16_t mode,
                                 std::function<void(const FileDialogOutcome&)> onChanged) {
  if (!parent) return nullptr;
  auto* window = parent->findChild<FileDialogWindow*>(QString(), Qt::FindDirectChildrenOnly);
  if (!window) window = new FileDialogWindow(session, parent);
  window->onChanged = std::move(onChanged);
  if (!window->Open(mode)) return nullptr;
  return window;
}

}  // namespace korv
