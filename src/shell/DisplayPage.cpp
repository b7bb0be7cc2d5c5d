// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/DisplayPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "render/ScaleSettings.h"
#include "settings/Choices.h"
#include "settings/SettingsPersistence.h"

namespace {

constexpr int kMinimumContrast = 1;
constexpr int kMaximumContrast = 100;

QIcon Swatch(ColorRef color) {
  QPixmap pixmap(16, 16);
  pixmap.fill(QColor(static_cast<int>(RedOf(color)), static_cast<int>(GreenOf(color)),
                     static_cast<int>(BlueOf(color))));
  return QIcon(pixmap);
}

QComboBox* SizeList(std::span<const CNamedValue> sizes, const QString& name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (const CNamedValue& size : sizes) {
    QString caption = QString::fromUtf8(size.name);
    caption[0] = caption[0].toUpper();
    list->addItem(caption, size.value);
  }
  return list;
}

// Shows `value` in a list of sizes; a size outside the presets shows as its number.
void SelectSize(QComboBox* list, int value, int presetCount) {
  while (list->count() > presetCount)
    list->removeItem(list->count() - 1);
  int index = list->findData(value);
  if (index < 0) {
    list->addItem(QString::number(value), value);
    index = list->count() - 1;
  }
  list->setCurrentIndex(index);
}

QComboBox* ColorList(const QString& name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (const CScaleColor& color : ScaleColors()) {
    list->addItem(Swatch(color.colorref), QString::fromUtf8(color.name));
  }
  return list;
}

// An index outside the list (7: no colour) shows no item and stays.
void SelectIndex(QComboBox* list, int index) {
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace

CDisplayPage::CDisplayPage(const DisplaySettings& display, CSettingsStore& store, QWidget* parent)
    : QWidget(parent), display_(display), store_(store) {
  setWindowTitle("Display");

  rowHeight_ = SizeList(CellSizeWords(), "rowHeight", this);
  columnWidth_ = SizeList(CellSizeWords(), "columnWidth", this);
  rowsTree_ = SizeList(TreeSizeWords(), "rowsTreeSize", this);
  columnsTree_ = SizeList(TreeSizeWords(), "columnsTreeSize", this);
  auto* sizes = new QGroupBox("Sizes", this);
  auto* sizesForm = new QFormLayout(sizes);
  sizesForm->addRow("Row height:", rowHeight_);
  sizesForm->addRow("Column width:", columnWidth_);
  sizesForm->addRow("Tree of rows:", rowsTree_);
  sizesForm->addRow("Tree of columns:", columnsTree_);

  showPositive_ = new QCheckBox("Positive values", this);
  showPositive_->setObjectName("showPositive");
  highColor_ = ColorList("highColor", this);
  showNegative_ = new QCheckBox("Negative values", this);
  showNegative_->setObjectName("showNegative");
  lowColor_ = ColorList("lowColor", this);
  spectrum_ = new QCheckBox("Use the Optical spectrum", this);
  spectrum_->setObjectName("spectrum");
  blackForZero_ = new QCheckBox("Use the Black color to show the zero values", this);
  blackForZero_->setObjectName("blackForZero");
  levels_ = new QComboBox(this);
  levels_->setObjectName("levels");
  for (const CNamedValue& level : LevelChoices())
    levels_->addItem(QString::fromUtf8(level.name));
  contrastSlider_ = new QSlider(Qt::Horizontal, this);
  contrastSlider_->setObjectName("contrastSlider");
  contrastSlider_->setRange(kMinimumContrast, kMaximumContrast);
  contrast_ = new QSpinBox(this);
  contrast_->setObjectName("contrast");
  contrast_->setRange(kMinimumContrast, kMaximumContrast);
  background_ = new QComboBox(this);
  background_->setObjectName("background");
  for (const CBackgroundColor& color : BackgroundColors()) {
    background_->addItem(Swatch(color.colorref), QString::fromUtf8(color.name));
  }

  colorScale_ = new QComboBox(this);
  colorScale_->setObjectName("colorScale");
  for (const CChoice<EColorScale>& scale : ColorScaleChoices()) {
    colorScale_->addItem(QString::fromUtf8(scale.caption), CodeOf(scale.code));
  }

  auto* colors = new QGroupBox("Colors", this);
  auto* colorsGrid = new QGridLayout(colors);
  colorsGrid->addWidget(showPositive_, 0, 0);
  colorsGrid->addWidget(highColor_, 0, 1);
  colorsGrid->addWidget(showNegative_, 1, 0);
  colorsGrid->addWidget(lowColor_, 1, 1);
  colorsGrid->addWidget(spectrum_, 2, 0, 1, 2);
  colorsGrid->addWidget(blackForZero_, 3, 0, 1, 2);
  auto* levelsForm = new QFormLayout;
  levelsForm->addRow("Number of levels:", levels_);
  auto* contrastRow = new QHBoxLayout;
  contrastRow->addWidget(contrastSlider_, 1);
  contrastRow->addWidget(contrast_);
  levelsForm->addRow("Contrast :", contrastRow);
  levelsForm->addRow("Background:", background_);
  levelsForm->addRow("Colour scale:", colorScale_);
  colorsGrid->addLayout(levelsForm, 4, 0, 1, 2);

  showObjectives_ = new QCheckBox("Objective function R and S", this);
  showObjectives_->setObjectName("showObjectives");
  showScale_ = new QCheckBox("Colors Scale", this);
  showScale_->setObjectName("showScale");
  showTopFrame_ = new QCheckBox("Top Frame", this);
  showTopFrame_->setObjectName("showTopFrame");
  auto* shown = new QGroupBox("Shown", this);
  auto* shownLayout = new QVBoxLayout(shown);
  shownLayout->addWidget(showTopFrame_);
  shownLayout->addWidget(showObjectives_);
  shownLayout->addWidget(showScale_);

  auto* get = new QPushButton("Get", this);
  get->setObjectName("get");
  auto* save = new QPushButton("Save", this);
  save->setObjectName("save");
  auto* reset = new QPushButton("Reset", this);
  reset->setObjectName("reset");
  connect(get, &QPushButton::clicked, this, &CDisplayPage::Get);
  connect(save, &QPushButton::clicked, this, &CDisplayPage::Save);
  connect(reset, &QPushButton::clicked, this, &CDisplayPage::Reset);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(get);
  buttons->addWidget(save);
  buttons->addWidget(reset);
  buttons->addStretch(1);

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(sizes);
  left->addWidget(shown);
  left->addStretch(1);
  columns->addLayout(left);
  columns->addWidget(colors, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);

  const auto sizeChanged = [this](QComboBox* list, int& field) {
    connect(list, &QComboBox::activated, this, [this, list, &field](int index) {
      if (index >= 0) field = list->itemData(index).toInt();
      Changed();
    });
  };
  sizeChanged(rowHeight_, display_.hy);
  sizeChanged(columnWidth_, display_.hx);
  sizeChanged(rowsTree_, display_.m_intRowsTreeSize);
  sizeChanged(columnsTree_, display_.m_intColumnsTreeSize);
  connect(highColor_, &QComboBox::activated, this, [this](int index) {
    if (index >= 0) display_.m_intColorHighValue = index;
    Changed();
  });
  connect(lowColor_, &QComboBox::activated, this, [this](int index) {
    if (index >= 0) display_.m_intColorLowValue = index;
    Changed();
  });
  connect(showPositive_, &QCheckBox::toggled, this, [this](bool on) {
    display_.showPositive = on;
    Changed();
  });
  connect(showNegative_, &QCheckBox::toggled, this, [this](bool on) {
    display_.showNegative = on;
    Changed();
  });
  connect(spectrum_, &QCheckBox::toggled, this, [this](bool on) {
    SetOpticalSpectrum(display_, on);
    Changed();
  });
  connect(blackForZero_, &QCheckBox::toggled, this, [this](bool on) {
    display_.blackForZero = on;
    Changed();
  });
  connect(levels_, &QComboBox::activated, this, [this](int index) {
    // With the optical spectrum on a single level is refused: the list shows what was kept.
    SetLevelChoice(display_, index);
    Changed();
  });
  connect(contrastSlider_, &QSlider::valueChanged, this, [this](int value) {
    display_.ContrastColor = value;
    Changed();
  });
  connect(contrast_, &QSpinBox::valueChanged, this, [this](int value) {
    display_.ContrastColor = value;
    Changed();
  });
  connect(background_, &QComboBox::activated, this, [this](int index) {
    if (index >= 0) display_.BkColor = index;
    Changed();
  });
  connect(colorScale_, &QComboBox::activated, this, [this](int index) {
    if (index >= 0)
      display_.colorScale = ChoiceOf<EColorScale>(colorScale_->itemData(index).toInt());
    Changed();
  });
  const auto switchChanged = [this](QCheckBox* box, int& field) {
    connect(box, &QCheckBox::toggled, this, [this, &field](bool on) {
      field = on ? 1 : 0;
      Changed();
    });
  };
  switchChanged(showObjectives_, display_.m_bShowObjectiveFunctionsValue);
  switchChanged(showScale_, display_.m_bShowScale);
  switchChanged(showTopFrame_, display_.m_bShowTopFrame);

  ShowDisplay();
}

void CDisplayPage::ShowDisplay() {
  const QList<QWidget*> controls = {
      rowHeight_,    columnWidth_,  rowsTree_,   columnsTree_,    highColor_, lowColor_,
      showPositive_, showNegative_, spectrum_,   blackForZero_,   levels_,    contrastSlider_,
      contrast_,     background_,   colorScale_, showObjectives_, showScale_, showTopFrame_};
  std::vector<std::unique_ptr<QSignalBlocker>> blockers;
  for (QWidget* control : controls)
    blockers.push_back(std::make_unique<QSignalBlocker>(control));

  const DisplaySettings& d = display_;
  SelectSize(rowHeight_, d.hy, static_cast<int>(CellSizeWords().size()));
  SelectSize(columnWidth_, d.hx, static_cast<int>(CellSizeWords().size()));
  SelectSize(rowsTree_, d.m_intRowsTreeSize, static_cast<int>(TreeSizeWords().size()));
  SelectSize(columnsTree_, d.m_intColumnsTreeSize, static_cast<int>(TreeSizeWords().size()));
  SelectIndex(highColor_, d.m_intColorHighValue);
  SelectIndex(lowColor_, d.m_intColorLowValue);
  showPositive_->setChecked(d.showPositive);
  showNegative_->setChecked(d.showNegative);
  spectrum_->setChecked(d.opticalSpectrum);
  blackForZero_->setChecked(d.blackForZero);
  SelectIndex(levels_, d.m_intColorNumberOfNuances);
  // The contrast is shown within its range; the setting changes only when the user moves it.
  contrastSlider_->setValue(d.ContrastColor);
  contrast_->setValue(d.ContrastColor);
  SelectIndex(background_, d.BkColor);
  // A stored scale this program does not know shows no item (and paints with two colours).
  colorScale_->setCurrentIndex(colorScale_->findData(CodeOf(d.colorScale)));
  showObjectives_->setChecked(d.m_bShowObjectiveFunctionsValue != 0);
  showScale_->setChecked(d.m_bShowScale != 0);
  showTopFrame_->setChecked(d.m_bShowTopFrame != 0);
}

void CDisplayPage::Changed() {
  DeriveColorSwitches(display_);
  ShowDisplay();
}

void CDisplayPage::Get() {
  LoadDisplaySettings(store_, display_);
  Changed();
}

void CDisplayPage::Save() {
  SaveDisplaySettings(store_, display_);
}

void CDisplayPage::Reset() {
  ResetDisplaySettings(display_);
  Changed();
}
