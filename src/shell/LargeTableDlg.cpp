// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/LargeTableDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/MessageWindowFrame.h"

CLargeTableDlg::CLargeTableDlg(int rowCount, QWidget* parent) : QDialog(parent) {
  QHBoxLayout* body = StartWarningWindow(this, "WARNING !");

  auto* texts = new QVBoxLayout;
  auto* heading = new QLabel("Large dataset !", this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  texts->addWidget(heading);
  texts->addWidget(new QLabel("The processing time is likely to be long !", this));
  texts->addWidget(new QLabel("n = " + QString::number(rowCount), this));
  texts->addWidget(new QLabel("You could : ", this));

  choices_ = new QButtonGroup(this);
  const char* captions[] = {"Continue without change. Maybe, you will have to be patient !",
                            "Restrict analysis to the first 1000 rows.", "Stop"};
  for (int k = 0; k < 3; ++k) {
    auto* choice = new QRadioButton(captions[k], this);
    choice->setObjectName(QString("choice%1").arg(k));
    choices_->addButton(choice, k);
    texts->addWidget(choice);
  }
  choices_->button(CLargeTableAnswer::kContinue)->setChecked(true);
  skipObjectiveR_ = new QCheckBox("Not compute the objective function R", this);
  skipObjectiveR_->setObjectName("skipObjectiveR");
  skipObjectiveR_->setChecked(true);
  texts->addWidget(skipObjectiveR_);

  body->addLayout(texts, 1);
  auto* buttons = new QDialogButtonBox(this);
  AddOkButton(this, buttons)->setObjectName("ok");
  QPushButton* stop = buttons->addButton("Stop", QDialogButtonBox::RejectRole);
  stop->setObjectName("stop");
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  FinishWarningWindow(this, body, buttons);
}

CLargeTableAnswer CLargeTableDlg::Answer() const {
  CLargeTableAnswer answer;
  answer.skipObjectiveR = skipObjectiveR_->isChecked();
  if (result() != QDialog::Accepted) {
    answer.confirmed = false;
    answer.choice = CLargeTableAnswer::kStop;
    return answer;
  }
  answer.choice = static_cast<CLargeTableAnswer::Choice>(choices_->checkedId());
  return answer;
}
