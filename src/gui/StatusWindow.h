#pragma once

#include <QDialog>

class QPlainTextEdit;

// The modeless "Status window": every status line and message of the
// conversions, in order, in a read-only text box. "Clear" empties it,
// "Dismiss" hides it; the text stays until cleared.
class StatusWindow : public QDialog {
  Q_OBJECT

 public:
  explicit StatusWindow(QWidget* parent = nullptr);

  // Appends one line and scrolls to it; repaints at once, since the window
  // shows the progress of a conversion that holds the event loop.
  void AppendLine(const QString& line);
  QString Text() const;
  // Shows the window and brings it to the top.
  void Present();

 private:
  QPlainTextEdit* text_;
};
