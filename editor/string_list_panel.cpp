#include "editor/string_list_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/text_encoding.h"
#include "editor/shown_texts.h"

namespace menuforge {
namespace {

constexpr int kVisibleRows = 6;

QPushButton* Button(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

}  // namespace

StringListPanel::StringListPanel(const QString& name, const QString& spokenName, QWidget* parent)
    : QWidget(parent),
      list_(new QTreeWidget),
      add_(Button(tr("Add"), name + QStringLiteral("AddButton"))),
      edit_(Button(tr("Edit"), name + QStringLiteral("EditButton"))),
      delete_(Button(tr("Delete"), name + QStringLiteral("DeleteButton"))) {
  list_->setObjectName(name + QStringLiteral("List"));
  list_->setAccessibleName(spokenName);
  list_->setHeaderLabels({tr("No."), tr("Language ID"), tr("Title")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->header()->setStretchLastSection(true);
  // Wide enough for the header texts, whatever the font; the title takes the rest.
  list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  list_->setFixedHeight(list_->header()->sizeHint().height() +
                        list_->fontMetrics().height() * kVisibleRows + 10);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(edit_);
  buttons->addWidget(delete_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  connect(add_, &QPushButton::clicked, this, &StringListPanel::addClicked);
  connect(edit_, &QPushButton::clicked, this, &StringListPanel::editClicked);
  connect(delete_, &QPushButton::clicked, this, &StringListPanel::deleteClicked);
}

void StringListPanel::Show(const StringListControls& controls) {
  if (controls.rows != shownRows_) {
    const int selected = selectedRow();
    list_->clear();
    for (const ListRow& row : controls.rows) {
      // A language outside the table still shows its number.
      const std::string code = ByteToHex(row.languageId);
      list_->addTopLevelItem(new QTreeWidgetItem(
          {QString::fromStdString(row.number), QString::fromStdString(code), Wide(row.text)}));
    }
    if (selected >= 0 && selected < list_->topLevelItemCount())
      list_->setCurrentItem(list_->topLevelItem(selected));
    shownRows_ = controls.rows;
  }
  list_->setEnabled(controls.listEnabled);
  add_->setEnabled(controls.addEnabled);
  edit_->setEnabled(controls.editEnabled);
  delete_->setEnabled(controls.deleteEnabled);
}

int StringListPanel::selectedRow() const {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.front());
}

}  // namespace menuforge
