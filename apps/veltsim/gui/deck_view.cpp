#include "deck_view.h"

#include <QFile>
#include <QPainter>
#include <QTextBlock>

namespace veltsim::gui {

class DeckView::Margin : public QWidget {
public:
    explicit Margin(DeckView& view) : QWidget(&view), view_(view) {}
    QSize sizeHint() const override { return {view_.MarginWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { view_.PaintMargin(event); }

private:
    DeckView& view_;
};

DeckView::DeckView(QWidget* parent) : QPlainTextEdit(parent), margin_(new Margin(*this)) {
    setReadOnly(true);
    setLineWrapMode(NoWrap);
    setFont(QFont(QStringLiteral("monospace")));
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(MarginWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, &DeckView::UpdateMargin);
    setViewportMargins(MarginWidth(), 0, 0, 0);
}

void DeckView::ShowFile(const QString& path) {
    QFile file(path);
    MarkLine(0);
    if (!file.open(QIODevice::ReadOnly)) {
        setPlainText(tr("cannot read %1: %2").arg(path, file.errorString()));
        return;
    }
    setPlainText(QString::fromUtf8(file.readAll()));
}

void DeckView::MarkLine(int line) {
    marked_ = line;
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (line <= 0 || !block.isValid()) {
        marked_ = 0;
        setExtraSelections({});
        return;
    }
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(QColor(255, 200, 200));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.cursor = QTextCursor(block);
    setExtraSelections({mark});
    setTextCursor(mark.cursor);
    centerCursor();
}

int DeckView::MarginWidth() const {
    const int digits = QString::number(std::max(1, blockCount())).size();
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void DeckView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    margin_->setGeometry(area.left(), area.top(), MarginWidth(), area.height());
}

void DeckView::UpdateMargin(const QRect& rect, int dy) {
    if (dy) {
        margin_->scroll(0, dy);
    } else {
        margin_->update(0, rect.y(), margin_->width(), rect.height());
    }
}

void DeckView::PaintMargin(QPaintEvent* event) {
    QPainter painter(margin_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > event->rect().bottom()) break;
        if (!block.isVisible()) continue;
        painter.drawText(0, static_cast<int>(box.top()), margin_->width() - 4, fontMetrics().height(), Qt::AlignRight,
                         QString::number(block.blockNumber() + 1));
    }
}

}  // namespace veltsim::gui
