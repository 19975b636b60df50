#pragma once

#include <QPlainTextEdit>

namespace veltsim::gui {

// The deck's text, read only, with its line numbers in a margin; the line ngspice stumbled on
// is marked and brought into sight.
class DeckView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DeckView(QWidget* parent = nullptr);

    // Shows the file's text (a file that does not read shows why), with no line marked.
    void ShowFile(const QString& path);
    // Marks line `line` (from 1) and puts the cursor on it; 0 takes the mark away.
    void MarkLine(int line);
    int MarkedLine() const { return marked_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Margin;
    friend class Margin;

    int MarginWidth() const;
    void PaintMargin(QPaintEvent* event);
    void UpdateMargin(const QRect& rect, int dy);

    QWidget* margin_;
    int marked_ = 0;
};

}  // namespace veltsim::gui
