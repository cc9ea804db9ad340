#include "gui/ColourPicker.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace {

struct NamedColour {
  const char* name;
  QRgb rgb;
};

constexpr NamedColour kNamedColours[] = {
    {"White", 0xffffff}, {"Black", 0x000000},   {"Red", 0xff0000},  {"Green", 0x008000},
    {"Blue", 0x0000ff},  {"Cyan", 0x00ffff},    {"Magenta", 0xff00ff}, {"Yellow", 0xffff00},
};

constexpr QRgb kEmptyBoxColour = 0xc0c0c0;

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return 0;
}

}  // namespace

QColor ColourFromText(const QString& text) {
  const QString trimmed = text.trimmed();
  for (const NamedColour& named : kNamedColours) {
    if (trimmed.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
      return QColor(named.rgb);
    }
  }
  if (trimmed.isEmpty()) return QColor(kEmptyBoxColour);
  // Colours are often written as in HTML, "#FF0000".
  const QString digits = trimmed.startsWith(QLatin1Char('#')) ? trimmed.mid(1) : trimmed;
  int parts[3] = {0, 0, 0};
  for (int i = 0; i < 6; ++i) {
    const int digit = i < digits.size() ? HexDigit(digits[i]) : 0;
    parts[i / 2] = parts[i / 2] * 16 + digit;
  }
  return QColor(parts[0], parts[1], parts[2]);
}

QString TextFromColour(const QColor& colour) {
  const QRgb rgb = colour.rgb() & 0xffffff;
  for (const NamedColour& named : kNamedColours) {
    if (named.rgb == rgb) return QLatin1String(named.name);
  }
  return QStringLiteral("%1%2%3")
      .arg(colour.red(), 2, 16, QLatin1Char('0'))
      .arg(colour.green(), 2, 16, QLatin1Char('0'))
      .arg(colour.blue(), 2, 16, QLatin1Char('0'));
}

bool PickColour(QLineEdit& box, const ColourChooser& chooser, QWidget* parent) {
  if (!chooser) return false;
  const QColor chosen = chooser(ColourFromText(box.text()), parent);
  if (!chosen.isValid()) return false;
  box.setText(TextFromColour(chosen));
  return true;
}

QColor ChooseWithColourDialog(const QColor& initial, QWidget* parent) {
  return QColorDialog::getColor(initial, parent, QObject::tr("Colour"));
}

QIcon ColourSwatch(const QString& text) {
  // A filled pixmap shows the true colour; a styled button background would
  // come out washed out.
  QPixmap swatch(14, 14);
  swatch.fill(Qt::transparent);
  QPainter painter(&swatch);
  if (!text.trimmed().isEmpty()) painter.fillRect(0, 0, 14, 14, ColourFromText(text));
  painter.setPen(Qt::darkGray);
  painter.drawRect(0, 0, 13, 13);
  painter.end();
  return QIcon(swatch);
}
