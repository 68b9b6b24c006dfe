#pragma once

#include <QColor>
#include <QFont>
#include <QTextCharFormat>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QHBoxLayout;
class QComboBox;
class QLabel;
class QSpinBox;
class QTextEdit;
class QToolButton;

namespace letters {

// The strip above the text with a line, a tick at every default tab stop
// and three markers: the first-line indent at the top left, the left
// indent under it, the right indent at the right. It only shows and reports
// where the markers are; the editor turns that into indents.
class Ruler : public QWidget {
    Q_OBJECT
public:
    enum Marker { FirstLine, LeftIndent, RightIndent };

    explicit Ruler(QWidget* parent = nullptr);

    QWidget* marker(Marker m) const { return m_markers[m]; }
    int markerLeft(Marker m) const;
    void setMarkerLeft(Marker m, int left);
    // W: the width the markers are placed in.
    int innerWidth() const { return width(); }

    // FDragging and FDragOfs.
    bool FDragging = false;
    int FDragOfs = 0;

signals:
    void released(letters::Ruler::Marker marker);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_markers[3];
};

// The formatted-text editor of letters and templates: a toolbar (font,
// size, bold, italic, underline, alignment, bullets, the font dialog, undo),
// the indent ruler, the text area and a status line with the caret's line
// and column and the change mark. It holds the text of its host screen's
// current row; the host reads it back when it writes the row.
class RichEditor : public QWidget {
    Q_OBJECT
public:
    // The indents of a paragraph in points: F the first line from the left
    // margin, L the other lines from the first line's start, R from the
    // right margin.
    struct Indents {
        double first = 0;
        double left = 0;
        double right = 0;
    };
    // The platform's font dialog, or a test's stand-in: false when
    // cancelled.
    using FontChooser = std::function<bool(QFont& font, QColor& color)>;

    // 4/3 ruler pixels to the point, whatever the screen.
    static constexpr double PixelsPerPoint = 4.0 / 3.0;
    static constexpr int Gutter = 6;

    explicit RichEditor(QWidget* parent = nullptr);
    ~RichEditor() override;

    // Shows stored text. Text that cannot be read as RTF (damaged, or
    // plain text another program stored) is shown as the plain text it is,
    // with a message, so that nothing of it is lost at the next save.
    // Afterwards the text counts as unchanged and undo starts afresh.
    void load(const QByteArray& stored);
    void clear() { load(QByteArray()); }
    // The text as it is stored: RTF.
    QByteArray rtf() const;
    bool isModified() const;
    void setModified(bool modified);
    // No text but white space.
    bool isBlank() const;
    void setReadOnly(bool readOnly);

    QTextEdit* textArea() const { return m_text; }
    Ruler* ruler() const { return m_ruler; }

    // CurrentAttributes: the selection's character attributes when
    // something is selected, else the attributes new text is typed with.
    QTextCharFormat CurrentAttributes() const;
    void changeCurrentAttributes(const QTextCharFormat& change);
    // True while the toolbar is being set from the text.
    bool FUpdating() const { return m_updating; }
    // Sets the toolbar, the ruler and the caret position from the text.
    void SelectionChange();

    // The caret's paragraph, and setting the selection's paragraphs.
    Indents paragraphIndents() const;
    void setParagraphIndents(const Indents& indents);
    // Where the synchronisation puts the three markers for the indents.
    static int firstMarkerLeft(const Indents& i);
    static int leftMarkerLeft(const Indents& i);
    static int rightMarkerLeft(const Indents& i, int width);

    // "Font Seçimi" and "Geri Al".
    void chooseFont();
    void undo();
    void setFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }

    // The first two fields of the status line.
    QString caretText() const;
    QString changeText() const;

signals:
    // The clerk changed the text since it was loaded.
    void edited();

private:
    void buildToolbar(QHBoxLayout* bar);
    void connectToolbar();
    void fontNameChosen(const QString& name);
    void fontSizeChanged(int size);
    void styleClicked(QToolButton* button);
    void alignmentClicked(int id);
    void bulletsClicked(bool on);
    void markerReleased(Ruler::Marker marker);
    void showCaret();

    QComboBox* m_fontName = nullptr;
    QSpinBox* m_fontSize = nullptr;
    QToolButton* m_bold = nullptr;
    QToolButton* m_italic = nullptr;
    QToolButton* m_underline = nullptr;
    QButtonGroup* m_alignment = nullptr;
    QToolButton* m_bullets = nullptr;
    QToolButton* m_fontDialog = nullptr;
    QToolButton* m_undo = nullptr;
    Ruler* m_ruler = nullptr;
    QTextEdit* m_text = nullptr;
    QLabel* m_caret = nullptr;
    QLabel* m_changed = nullptr;
    QLabel* m_third = nullptr;
    FontChooser m_fontChooser;
    bool m_updating = false;
    bool m_loading = false;
    // Where the last synchronisation put the markers, and the indents it
    // put them for: a marker released where it was keeps its indent.
    int m_placed[3] = {0, 0, 0};
    Indents m_shown;
};

} // namespace letters
