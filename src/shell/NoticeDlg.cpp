#include "shell/NoticeDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/MessageLayout.h"

CNoticeDlg::CNoticeDlg(std::string_view title, std::string_view text, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(ToQString(title));
  setModal(true);
  auto* icon = new QLabel(this);
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);
  text_ = new QLabel(this);
  text_->setObjectName("text");
  text_->setTextFormat(Qt::RichText);
  text_->setText(MessageLayoutHtml(text));
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addWidget(text_, 1);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CNoticeDlg::TextHtml() const {
  return text_->text();
}
