#include "gui/StatusWindow.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

StatusWindow::StatusWindow(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit(this)) {
  setWindowTitle(tr("Status window"));
  setModal(false);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Messages quote source lines, whose layout only reads in a fixed pitch.
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setToolTip(tr("Messages of the conversions, in the order they were written"));

  auto* clear = new QPushButton(tr("Clear"), this);
  clear->setToolTip(tr("Empty the message list"));
  auto* dismiss = new QPushButton(tr("Dismiss"), this);
  dismiss->setToolTip(tr("Hide this window; the messages are kept"));
  dismiss->setDefault(true);
  connect(clear, &QPushButton::clicked, text_, &QPlainTextEdit::clear);
  // accept() hides the window and also ends a modal run (files dropped on
  // the program wait for it).
  connect(dismiss, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(clear);
  buttons->addWidget(dismiss);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(buttons);
  resize(640, 360);
}

void StatusWindow::AppendLine(const QString& line) {
  text_->appendPlainText(line);
  text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
  if (isVisible()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString StatusWindow::Text() const { return text_->toPlainText(); }

void StatusWindow::Present() {
  show();
  raise();
  activateWindow();
}
