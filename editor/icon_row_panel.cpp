#include "editor/icon_row_panel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/icon_indicator.h"
#include "editor/shown_texts.h"

namespace menuforge {

IconRowPanel::IconRowPanel(const QString& caption, const QString& name, bool animated,
                           QWidget* parent)
    : QWidget(parent),
      fs_(new QRadioButton(QStringLiteral("FS"))),
      drm_(new QRadioButton(QStringLiteral("DRM"))),
      field_(new QLineEdit),
      pick_(new QPushButton(QStringLiteral("..."))),
      indicator_(new IconIndicator(animated)) {
  fs_->setObjectName(name + QStringLiteral("FsButton"));
  drm_->setObjectName(name + QStringLiteral("DrmButton"));
  field_->setObjectName(name + QStringLiteral("Field"));
  pick_->setObjectName(name + QStringLiteral("PickButton"));
  indicator_->setObjectName(name + QStringLiteral("Indicator"));
  pick_->setFixedWidth(pick_->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);

  auto* source = new QGroupBox(tr("Source"));
  source->setObjectName(name + QStringLiteral("Source"));
  auto* sourceLayout = new QHBoxLayout(source);
  sourceLayout->addWidget(fs_);
  sourceLayout->addWidget(drm_);
  auto* choice = new QButtonGroup(this);
  choice->addButton(fs_);
  choice->addButton(drm_);
  fs_->setChecked(true);

  auto* label = new QLabel(caption);
  label->setBuddy(field_);
  fs_->setAccessibleName(tr("%1 from a file").arg(caption));
  drm_->setAccessibleName(tr("%1 from the DRM binary").arg(caption));
  pick_->setAccessibleName(tr("Pick %1").arg(caption));
  const int widestCaption = label->fontMetrics().horizontalAdvance(
      QCoreApplication::translate("menuforge::ItemEditorDialog", "Animated icon"));
  label->setMinimumWidth(widestCaption + 8);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(source);
  layout->addWidget(field_, 1);
  layout->addWidget(pick_);
  layout->addWidget(indicator_);
  // The indicator keeps its place while hidden, so that the fields line up.
  QSizePolicy keep = indicator_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  indicator_->setSizePolicy(keep);

  connect(fs_, &QRadioButton::clicked, this, [this] { Q_EMIT sourceChosen(IconSource::Fs); });
  connect(drm_, &QRadioButton::clicked, this, [this] { Q_EMIT sourceChosen(IconSource::Drm); });
  connect(field_, &QLineEdit::textEdited, this, &IconRowPanel::textEdited);
  connect(pick_, &QPushButton::clicked, this, &IconRowPanel::pickClicked);
}

void IconRowPanel::Show(const IconRowControls& controls, bool pickerAvailable) {
  (controls.source == IconSource::Drm ? drm_ : fs_)->setChecked(true);
  const QString text = Wide(controls.text);
  if (field_->text() != text) field_->setText(text);
  fs_->setEnabled(controls.enabled);
  drm_->setEnabled(controls.enabled);
  field_->setEnabled(controls.enabled);
  pick_->setEnabled(controls.pickEnabled && pickerAvailable);
  if (indicator_->isHidden() == controls.indicatorVisible)
    indicator_->SetShown(controls.indicatorVisible);
  if (indicator_->hasPicture() && text != picturedText_) indicator_->SetPicture({});
}

void IconRowPanel::ShowPicture(const QString& text, const QPixmap& picture) {
  picturedText_ = text;
  indicator_->SetPicture(field_->text() == text ? picture : QPixmap());
}

void IconRowPanel::SetPickHint(const QString& hint) { pick_->setToolTip(hint); }

void IconRowPanel::StopIndicator() { indicator_->Stop(); }

}  // namespace menuforge
