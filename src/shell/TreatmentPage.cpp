// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TreatmentPage.h"

#include <algorithm>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/Services.h"
#include "dissimilarity/DissimilarityFileReader.h"
#include "settings/Choices.h"
#include "settings/SettingsPersistence.h"
#include "shell/MessageLayout.h"

namespace {

constexpr int kDataTypeCount = 4;
// The number of prototypes the dialog proposes, and the most it offers.
constexpr int kProposedPrototypes = 5000;
constexpr int kMostPrototypes = 1000000;
constexpr const char* kDissimilarityFileFilter =
    "Text Files (*.txt;*.prn)|*.txt; *.prn|All Files (*.*)|*.*||";

// A switch read back from its check box: an unchanged switch keeps its stored value.
int Flag(int original, bool checked) {
  return (original != 0) == checked ? original : (checked ? 1 : 0);
}

// The stored code and the caption of each row of a choice set: the lists of the dialog hold
// codes, whatever the set.
struct CCaptioned {
  int code;
  const char* caption;
};
template <typename E>
std::vector<CCaptioned> Captioned(std::span<const CChoice<E>> choices) {
  std::vector<CCaptioned> list;
  for (const CChoice<E>& choice : choices)
    list.push_back({CodeOf(choice.code), choice.caption});
  return list;
}

// Selects the item of `code`; a code the list does not offer is added, so that it shows and
// stays as it is.
void SelectCode(QComboBox* list, int code, const std::vector<CCaptioned>& names) {
  int index = list->findData(code);
  if (index < 0) {
    const char* caption = nullptr;
    for (const CCaptioned& name : names) {
      if (name.code == code) caption = name.caption;
    }
    list->addItem(caption ? QString::fromUtf8(caption) : QString::number(code), code);
    index = list->count() - 1;
  }
  list->setCurrentIndex(index);
}

// Checks the button of `id`, or none when the group has no such button.
void CheckId(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) {
    button->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons())
    button->setChecked(false);
  group->setExclusive(true);
}

// The checked rule, or `original` when none is checked (no rule chosen).
template <typename E>
E CheckedOr(const QButtonGroup* group, E original) {
  const int id = group->checkedId();
  return id >= 0 ? ChoiceOf<E>(id) : original;
}

QButtonGroup* RuleButtons(const std::vector<CCaptioned>& choices, const QString& namePrefix,
                          QWidget* parent, QVBoxLayout* layout) {
  auto* group = new QButtonGroup(parent);
  for (const CCaptioned& choice : choices) {
    auto* button = new QRadioButton(QString::fromUtf8(choice.caption), parent);
    button->setObjectName(namePrefix + QString::number(choice.code));
    group->addButton(button, choice.code);
    layout->addWidget(button);
  }
  return group;
}

// Centroid and farthest addition are chosen only by the store or the command line.
bool OfferedInTheDialog(ESeriation rule) {
  using enum ESeriation;
  return rule == kMultipleFragment || rule == kScaling || rule == kInertia ||
         rule == kBipolarization;
}

// Binary tables have no representation to choose: they are used as read.
std::vector<CCaptioned> RepresentationsOf(EDataType dataType) {
  switch (dataType) {
    case EDataType::kNumerical:
      return Captioned(NumericalRepresentationChoices());
    case EDataType::kNominal:
      return Captioned(NominalRepresentationChoices());
    case EDataType::kContingency:
      return Captioned(ContingencyRepresentationChoices());
    default:
      return {};
  }
}

}  // namespace

CTreatmentPage::CTreatmentPage(const TreatmentSettings& settings, const CTreatmentPageFlags& flags,
                               CSettingsStore& store, CServices& services, QWidget* parent)
    : QWidget(parent), settings_(settings), flags_(flags), store_(store), services_(services) {
  setWindowTitle("Treatment");
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName("treatmentTabs");
  dataTab_ = MakeDataTab();
  tabs->addTab(dataTab_, "Data");
  tabs->addTab(MakeLinkageTab(), "Hierarchical Clustering");
  tabs->addTab(MakeSeriationTab(), "Seriation");
  tabs->addTab(MakeTreeSeriationTab(), "Tree Seriation");
  tabs->addTab(MakeAutomationTab(), "Automation");

  auto* get = new QPushButton("Get", this);
  get->setObjectName("get");
  auto* save = new QPushButton("Save", this);
  save->setObjectName("save");
  auto* reset = new QPushButton("Reset", this);
  reset->setObjectName("reset");
  showAtStartup_ = new QCheckBox("Show this window at startup?", this);
  showAtStartup_->setObjectName("showAtStartup");
  connect(get, &QPushButton::clicked, this, &CTreatmentPage::Get);
  connect(save, &QPushButton::clicked, this, &CTreatmentPage::Save);
  connect(reset, &QPushButton::clicked, this, &CTreatmentPage::Reset);
  // The switch is written at once, whatever becomes of the rest of the sheet.
  connect(showAtStartup_, &QCheckBox::clicked, this, [this] {
    ToggleShowOptionsAtStart(store_, settings_);
    showAtStartup_->setChecked(settings_.ShowWindowsOptionsDlgAtStartTime != 0);
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(get);
  buttons->addWidget(save);
  buttons->addWidget(reset);
  buttons->addStretch(1);
  buttons->addWidget(showAtStartup_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs, 1);
  layout->addLayout(buttons);

  ShowSettings();
}

QWidget* CTreatmentPage::MakeDataTab() {
  auto* tab = new QWidget;
  tab->setObjectName("dataGroup");

  dataTypes_ = new QListWidget(tab);
  dataTypes_->setObjectName("dataTypeList");
  for (const auto& choice : DataTypeChoices()) {
    dataTypes_->addItem(QString::fromUtf8(choice.caption));
  }
  // Every type shows at once, without scrolling.
  dataTypes_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  dataTypes_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const int frame = 2 * dataTypes_->frameWidth();
  dataTypes_->setFixedSize(dataTypes_->sizeHintForColumn(0) + frame + 12,
                           dataTypes_->sizeHintForRow(0) * kDataTypeCount + frame + 4);

  // One page per data type, so that each type keeps the representation and the measure last
  // chosen for it while the user goes from type to type.
  typePages_ = new QStackedWidget(tab);
  for (int type = 0; type < kDataTypeCount; ++type) {
    const auto dataType = ChoiceOf<EDataType>(type);
    auto* page = new QWidget(typePages_);
    auto* form = new QFormLayout(page);
    if (dataType == EDataType::kBinary) {
      form->addRow(new QLabel("Binary data are used as read.", page));
    } else {
      auto* representation = new QComboBox(page);
      representation->setObjectName(QString("representation%1").arg(type));
      for (const CCaptioned& choice : RepresentationsOf(dataType)) {
        representation->addItem(QString::fromUtf8(choice.caption), choice.code);
      }
      form->addRow(dataType == EDataType::kNumerical ? "Transformation:" : "Representation:",
                   representation);
      representations_[static_cast<size_t>(type)] = representation;
    }
    auto* dissimilarity = new QComboBox(page);
    dissimilarity->setObjectName(QString("dissimilarity%1").arg(type));
    for (const EDissimilarity code : DissimilaritiesOfDataType(dataType)) {
      const auto* choice = FindChoice(DissimilarityChoices(), code);
      dissimilarity->addItem(QString::fromUtf8(choice ? choice->caption : ""), CodeOf(code));
    }
    form->addRow("Dissimilarity:", dissimilarity);
    dissimilarities_[static_cast<size_t>(type)] = dissimilarity;
    if (dataType == EDataType::kNumerical) {
      // Very large tables: the rows are summarised at the load (not stored: a choice per file).
      prototypes_ = new QCheckBox("Summarise the rows by", page);
      prototypes_->setObjectName("prototypes");
      prototypeCount_ = new QSpinBox(page);
      prototypeCount_->setObjectName("prototypeCount");
      prototypeCount_->setRange(2, kMostPrototypes);
      prototypeCount_->setSuffix(" weighted prototypes");
      connect(prototypes_, &QCheckBox::toggled, prototypeCount_, &QSpinBox::setEnabled);
      auto* row = new QHBoxLayout;
      row->addWidget(prototypes_);
      row->addWidget(prototypeCount_, 1);
      form->addRow("Many rows:", row);
    }
    typePages_->addWidget(page);
  }
  connect(dataTypes_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row < kDataTypeCount) typePages_->setCurrentIndex(row);
  });

  blank_ = new QCheckBox("Blank character", tab);
  blank_->setObjectName("blank");
  titleCol_ = new QCheckBox("The first record contains the column title", tab);
  titleCol_->setObjectName("titleCol");
  titleRow_ = new QCheckBox("The first position of each record contains the row title", tab);
  titleRow_->setObjectName("titleRow");

  auto* files = new QGroupBox("Dissimilarities read from files", tab);
  auto* filesForm = new QFormLayout(files);
  const auto fileRow = [this, files, filesForm](const char* caption, const char* name) {
    auto* field = new QLineEdit(files);
    field->setObjectName(name);
    auto* browse = new QPushButton("Browse...", files);
    browse->setObjectName(QString(name) + "Browse");
    connect(browse, &QPushButton::clicked, this, [this, field] { Browse(field); });
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(browse);
    filesForm->addRow(caption, row);
    return field;
  };
  rowFile_ = fileRow("Rows:", "rowFile");
  colFile_ = fileRow("Columns:", "colFile");

  auto* typeBox = new QGroupBox("Data type", tab);
  auto* typeLayout = new QHBoxLayout(typeBox);
  typeLayout->addWidget(dataTypes_);
  typeLayout->addWidget(typePages_, 1);
  auto* delimiters = new QGroupBox("Delimiters and titles", tab);
  auto* delimiterLayout = new QVBoxLayout(delimiters);
  delimiterLayout->addWidget(new QLabel("Semicolon, colon and tab always delimit cells.", tab));
  delimiterLayout->addWidget(blank_);
  delimiterLayout->addWidget(titleCol_);
  delimiterLayout->addWidget(titleRow_);

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(typeBox);
  layout->addWidget(delimiters);
  layout->addWidget(files);
  layout->addStretch(1);
  tab->setEnabled(!flags_.dataGroupLocked);
  return tab;
}

QWidget* CTreatmentPage::MakeLinkageTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  linkage_ = RuleButtons(Captioned(LinkageChoices()), "linkage", tab, layout);
  layout->addStretch(1);
  return tab;
}

QWidget* CTreatmentPage::MakeSeriationTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  std::vector<CCaptioned> offered;
  for (const CCaptioned& rule : Captioned(SeriationChoices())) {
    if (OfferedInTheDialog(ChoiceOf<ESeriation>(rule.code))) offered.push_back(rule);
  }
  seriation_ = RuleButtons(offered, "seriation", tab, layout);
  seriationLayout_ = layout;
  connect(seriation_, &QButtonGroup::idToggled, this, [this] { UpdateEnables(); });

  optimizationBox_ = new QGroupBox("Optimization Method", tab);
  optimizationBox_->setObjectName("optimizationBox");
  auto* optimizationLayout = new QHBoxLayout(optimizationBox_);
  optimization_ = new QButtonGroup(tab);
  for (const auto& method : OptimisationChoices()) {
    const int code = CodeOf(method.code);
    auto* button = new QRadioButton(method.caption, optimizationBox_);
    button->setObjectName(QString("optimization%1").arg(code));
    optimization_->addButton(button, code);
    optimizationLayout->addWidget(button);
  }

  improveBox_ = new QGroupBox("Improve Seriation Solution By ", tab);
  improveBox_->setObjectName("improveBox");
  auto* improveLayout = new QVBoxLayout(improveBox_);
  improve_ = new QCheckBox("Local Search  ( 2-Opt Algorithm )", improveBox_);
  improve_->setObjectName("improve");
  improveLayout->addWidget(improve_);

  layout->addWidget(optimizationBox_);
  layout->addWidget(improveBox_);
  layout->addStretch(1);
  return tab;
}

QWidget* CTreatmentPage::MakeTreeSeriationTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  treeSeriation_ = RuleButtons(Captioned(TreeSeriationChoices()), "treeSeriation", tab, layout);
  layout->addStretch(1);
  return tab;
}

QWidget* CTreatmentPage::MakeAutomationTab() {
  auto* tab = new QWidget;
  auto* box = new QGroupBox("After a file is opened", tab);
  auto* boxLayout = new QVBoxLayout(box);
  const char* captions[] = {
      "Cluster the rows",    "Cluster the columns",          "Seriate the rows",
      "Seriate the columns", "Cluster and seriate the rows", "Cluster and seriate the columns"};
  for (size_t k = 0; k < automation_.size(); ++k) {
    automation_[k] = new QCheckBox(captions[k], box);
    automation_[k]->setObjectName(QString("automation%1").arg(k));
    boxLayout->addWidget(automation_[k]);
  }
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(box);
  layout->addStretch(1);
  return tab;
}

void CTreatmentPage::ShowSettings() {
  const TreatmentSettings& s = settings_;
  // Every type starts from its first representation and measure; the document's type shows
  // the document's own.
  for (int type = 0; type < kDataTypeCount; ++type) {
    const size_t k = static_cast<size_t>(type);
    const auto dataType = ChoiceOf<EDataType>(type);
    if (representations_[k]) {
      while (representations_[k]->count() > static_cast<int>(RepresentationsOf(dataType).size())) {
        representations_[k]->removeItem(representations_[k]->count() - 1);
      }
      representations_[k]->setCurrentIndex(0);
    }
    while (dissimilarities_[k]->count() >
           static_cast<int>(DissimilaritiesOfDataType(dataType).size())) {
      dissimilarities_[k]->removeItem(dissimilarities_[k]->count() - 1);
    }
    dissimilarities_[k]->setCurrentIndex(0);
  }
  const int type = CodeOf(s.DataType);
  if (type >= 0 && type < kDataTypeCount) {
    const size_t k = static_cast<size_t>(type);
    if (representations_[k]) {
      SelectCode(representations_[k], s.DataRepresentation, RepresentationsOf(s.DataType));
    }
    SelectCode(dissimilarities_[k], CodeOf(s.Dissimilarity), Captioned(DissimilarityChoices()));
    dataTypes_->setCurrentRow(type);
    typePages_->setCurrentIndex(type);
  }
  prototypes_->setChecked(s.Prototypes > 0);
  prototypeCount_->setValue(s.Prototypes > 0 ? s.Prototypes : kProposedPrototypes);
  prototypeCount_->setEnabled(s.Prototypes > 0);
  blank_->setChecked(s.SeparateurBlanc != 0);
  titleCol_->setChecked(s.TitleCol != 0);
  titleRow_->setChecked(s.TitleRow != 0);
  rowFile_->setText(ToQString(s.RowDissimilarityFileName));
  colFile_->setText(ToQString(s.ColDissimilarityFileName));

  CheckId(linkage_, CodeOf(s.AgregationCriterion));
  ShowSeriationRule(s.SetSeriationCriterion);
  CheckId(seriation_, CodeOf(s.SetSeriationCriterion));
  CheckId(optimization_, CodeOf(s.SeriationOptimMethode));
  improve_->setChecked(s.Improve != 0);
  CheckId(treeSeriation_, CodeOf(s.TreeSeriationCriterion));
  const int automation[] = {s.ClusteringAutomationRow, s.ClusteringAutomationCol,
                            s.SeriationAutomationRow,  s.SeriationAutomationCol,
                            s.AutomationRow,           s.AutomationCol};
  for (size_t k = 0; k < automation_.size(); ++k)
    automation_[k]->setChecked(automation[k] != 0);
  showAtStartup_->setChecked(s.ShowWindowsOptionsDlgAtStartTime != 0);
  UpdateEnables();
}

// A rule the dialog does not offer but the settings hold (from the store or the command line)
// gets its own button, so that it is seen and kept until another rule is chosen.
void CTreatmentPage::ShowSeriationRule(ESeriation rule) {
  const int code = CodeOf(rule);
  if (seriation_->button(code) != nullptr) return;
  const CChoice<ESeriation>* choice = FindChoice(SeriationChoices(), rule);
  if (choice == nullptr) return;
  auto* button =
      new QRadioButton(QString::fromUtf8(choice->caption), seriationLayout_->parentWidget());
  button->setObjectName("seriation" + QString::number(code));
  seriation_->addButton(button, code);
  seriationLayout_->insertWidget(static_cast<int>(seriation_->buttons().size()) - 1, button);
}

void CTreatmentPage::ReadControls(TreatmentSettings& s) const {
  if (!flags_.dataGroupLocked) {
    const int type = dataTypes_->currentRow();
    if (type >= 0 && type < kDataTypeCount) {
      const size_t k = static_cast<size_t>(type);
      s.DataType = ChoiceOf<EDataType>(type);
      // Binary tables are always used as read.
      s.DataRepresentation = representations_[k] ? representations_[k]->currentData().toInt() : 0;
      s.Dissimilarity = ChoiceOf<EDissimilarity>(dissimilarities_[k]->currentData().toInt());
    }
    // A count beyond the box's range (set on the command line) stays as it is while unchanged.
    const bool sameCount = s.Prototypes > 0 &&
                           prototypeCount_->value() == std::clamp(s.Prototypes, 2, kMostPrototypes);
    if (!prototypes_->isChecked()) {
      s.Prototypes = 0;
    } else if (!sameCount) {
      s.Prototypes = prototypeCount_->value();
    }
    s.SeparateurBlanc = Flag(s.SeparateurBlanc, blank_->isChecked());
    s.TitleCol = Flag(s.TitleCol, titleCol_->isChecked());
    s.TitleRow = Flag(s.TitleRow, titleRow_->isChecked());
    s.RowDissimilarityFileName = rowFile_->text().toStdString();
    s.ColDissimilarityFileName = colFile_->text().toStdString();
  }
  s.AgregationCriterion = CheckedOr(linkage_, s.AgregationCriterion);
  s.SetSeriationCriterion = CheckedOr(seriation_, s.SetSeriationCriterion);
  s.SeriationOptimMethode = CheckedOr(optimization_, s.SeriationOptimMethode);
  s.Improve = Flag(s.Improve, improve_->isChecked());
  s.TreeSeriationCriterion = CheckedOr(treeSeriation_, s.TreeSeriationCriterion);
  int* automation[] = {&s.ClusteringAutomationRow, &s.ClusteringAutomationCol,
                       &s.SeriationAutomationRow,  &s.SeriationAutomationCol,
                       &s.AutomationRow,           &s.AutomationCol};
  for (size_t k = 0; k < automation_.size(); ++k) {
    *automation[k] = Flag(*automation[k], automation_[k]->isChecked());
  }
}

TreatmentSettings CTreatmentPage::Settings() const {
  TreatmentSettings settings = settings_;
  ReadControls(settings);
  return settings;
}

void CTreatmentPage::UpdateEnables() {
  using enum ESeriation;
  const ESeriation rule = CheckedOr(seriation_, settings_.SetSeriationCriterion);
  optimizationBox_->setEnabled(rule == kScaling || rule == kInertia);
  improveBox_->setVisible(rule == kMultipleFragment || rule == kFarthestAddition);
  if (QAbstractButton* tsp = treeSeriation_->button(CodeOf(ETreeSeriation::kMinimumPath))) {
    tsp->setEnabled(!flags_.aggregatedGroups);
  }
  dataTab_->setEnabled(!flags_.dataGroupLocked);
}

bool CTreatmentPage::Accept() {
  TreatmentSettings settings = Settings();
  // Once the document has a window the files have been read and are not read again.
  if (!flags_.dataGroupLocked && settings.Dissimilarity == EDissimilarity::kFromFiles) {
    for (const std::string* name :
         {&settings.RowDissimilarityFileName, &settings.ColDissimilarityFileName}) {
      const std::string failure = FileAccessFailureText(*name);
      if (!failure.empty()) {
        services_.ShowMessageBox(failure);
        return false;
      }
    }
    SaveDissimilarityFileNames(store_, settings);
  }
  settings_ = settings;
  return true;
}

void CTreatmentPage::Get() {
  TreatmentSettings settings = Settings();
  LoadTreatmentSettings(store_, settings, !flags_.dataGroupLocked);
  settings_ = settings;
  ShowSettings();
}

void CTreatmentPage::Save() {
  SaveTreatmentSettings(store_, Settings());
}

void CTreatmentPage::Reset() {
  TreatmentSettings settings = Settings();
  ResetTreatmentSettings(settings, !flags_.dataGroupLocked);
  settings_ = settings;
  ShowSettings();
}

void CTreatmentPage::Browse(QLineEdit* field) {
  if (const auto path = services_.AskOpenFileName(kDissimilarityFileFilter)) {
    field->setText(ToQString(*path));
  }
}
