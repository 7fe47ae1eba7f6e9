#include "configeditor/parts/UIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <functional>

namespace quennet {

namespace {

constexpr int kSize = 16;

QPixmap Blank() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A folded sheet of paper in `colour` with a short text on it.
QIcon Sheet(const QColor& colour, const QString& text) {
  QPixmap pixmap = Blank();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPolygonF page({{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 15.5}, {2.5, 15.5}});
  painter.setPen(colour.darker(160));
  painter.setBrush(colour);
  painter.drawPolygon(page);
  if (!text.isEmpty()) {
    QFont font = painter.font();
    font.setPixelSize(6);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(2, 5, 12, 9), Qt::AlignCenter, text);
  }
  return QIcon(pixmap);
}

QIcon Folder(const QColor& colour) {
  QPixmap pixmap = Blank();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(colour.darker(170));
  painter.setBrush(colour);
  painter.drawPolygon(
      QPolygonF({{0.5, 3.5}, {5.5, 3.5}, {7.5, 5.5}, {15.5, 5.5}, {15.5, 14.5}, {0.5, 14.5}}));
  return QIcon(pixmap);
}

QIcon Gear() {
  QPixmap pixmap = Blank();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(70, 70, 90), 3));
  painter.drawEllipse(QPointF(8, 8), 4.5, 4.5);
  painter.setPen(QPen(QColor(70, 70, 90), 2));
  for (int i = 0; i < 4; ++i) {
    painter.save();
    painter.translate(8, 8);
    painter.rotate(45.0 * i);
    painter.drawLine(QPointF(0, -7.5), QPointF(0, 7.5));
    painter.restore();
  }
  painter.setBrush(Qt::white);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPointF(8, 8), 2, 2);
  return QIcon(pixmap);
}

QIcon Symbol(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap = Blank();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  return QIcon(pixmap);
}

}  // namespace

QIcon TreeNodeIcon(int position) {
  switch (position) {
    case 0:
      return Sheet(QColor(255, 255, 255), QStringLiteral("INI"));
    case 1:
      return Gear();
    case 2:
      return Sheet(QColor(255, 236, 160), QStringLiteral("TLK"));
    case 3:
      return Folder(QColor(120, 190, 120));
    case 4:
      return Folder(QColor(120, 160, 230));
    case 5:
      return Sheet(QColor(220, 200, 240), QStringLiteral("NSS"));
    case 6:
      return Folder(QColor(230, 150, 120));
    default:
      return Folder(QColor(235, 205, 110));
  }
}

QIcon FileNodeIcon() { return Sheet(QColor(235, 240, 250), QString()); }

QIcon ButtonImage(TButtonImage image) {
  return Symbol([image](QPainter& p) {
    switch (image) {
      case TButtonImage::Add:
        p.setPen(QPen(QColor(30, 140, 30), 3));
        p.drawLine(8, 2, 8, 14);
        p.drawLine(2, 8, 14, 8);
        break;
      case TButtonImage::Delete:
        p.setPen(QPen(QColor(200, 30, 30), 3));
        p.drawLine(3, 3, 13, 13);
        p.drawLine(13, 3, 3, 13);
        break;
      case TButtonImage::Copy:
        p.setPen(QColor(60, 60, 60));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 8, 10));
        p.drawRect(QRectF(6.5, 4.5, 8, 10));
        break;
      case TButtonImage::Compare:
        p.setPen(QColor(60, 60, 60));
        p.setBrush(QColor(200, 220, 255));
        p.drawRect(QRectF(0.5, 2.5, 6, 11));
        p.setBrush(QColor(255, 220, 200));
        p.drawRect(QRectF(9.5, 2.5, 6, 11));
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(QPointF(6.5, 8), QPointF(9.5, 8));
        break;
      case TButtonImage::Edit:
        p.setPen(QPen(QColor(150, 90, 20), 3));
        p.drawLine(3, 13, 13, 3);
        break;
      case TButtonImage::Help: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 200));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        break;
      }
      case TButtonImage::Open:
        p.setPen(QColor(140, 110, 30));
        p.setBrush(QColor(240, 210, 110));
        p.drawPolygon(QPolygonF(
            {{0.5, 3.5}, {5.5, 3.5}, {7.5, 5.5}, {15.5, 5.5}, {15.5, 14.5}, {0.5, 14.5}}));
        break;
      case TButtonImage::Up:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 200));
        p.drawPolygon(QPolygonF({{8, 2}, {14, 12}, {2, 12}}));
        break;
      case TButtonImage::Down:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 200));
        p.drawPolygon(QPolygonF({{2, 4}, {14, 4}, {8, 14}}));
        break;
    }
  });
}

}  // namespace quennet
