#include "richeditor.h"

#include "letterdocument.h"
#include "rtftextdocument.h"

#include "core/errors.h"
#include "core/prompter.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace letters {
namespace {

constexpr int MarkerWidth = 9;
constexpr int MarkerHeight = 8;
constexpr int RulerHeight = 26;

// A marker of the ruler: a small triangle, pointing down for the first
// line, up for the indents.
class MarkerWidget : public QWidget {
public:
    MarkerWidget(bool pointsDown, QWidget* parent) : QWidget(parent), m_down(pointsDown)
    {
        setFixedSize(MarkerWidth, MarkerHeight);
        setCursor(Qt::SizeHorCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(0x30, 0x30, 0x30));
        p.setBrush(QColor(0xd8, 0xe4, 0xf0));
        const qreal w = width() - 1, h = height() - 1;
        QPolygonF shape;
        if (m_down)
            shape << QPointF(0, 0) << QPointF(w, 0) << QPointF(w / 2, h);
        else
            shape << QPointF(w / 2, 0) << QPointF(w, h) << QPointF(0, h);
        p.drawPolygon(shape);
    }

private:
    bool m_down;
};

// The pictures of the alignment and bullet buttons: lines as a paragraph
// shows them.
QIcon paragraphIcon(int kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.4));
    const int widths[] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        const int y = 3 + i * 3;
        const int w = kind == 3 ? 9 : widths[i];
        int x = 2;
        if (kind == 1)
            x = 2 + (12 - w) / 2;
        else if (kind == 2)
            x = 14 - w;
        else if (kind == 3) {
            p.drawPoint(2, y);
            x = 5;
        }
        p.drawLine(x, y, x + w, y);
    }
    return QIcon(pm);
}

QToolButton* toolButton(QWidget* parent, const QString& objectName, const QString& hint,
                        bool checkable)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setToolTip(hint);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(24, 24);
    return b;
}

} // namespace

Ruler::Ruler(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Ruler"));
    setFixedHeight(RulerHeight);
    m_markers[FirstLine] = new MarkerWidget(true, this);
    m_markers[FirstLine]->setObjectName(QStringLiteral("mrkFirstIndent"));
    m_markers[LeftIndent] = new MarkerWidget(false, this);
    m_markers[LeftIndent]->setObjectName(QStringLiteral("mrkLeftIndent"));
    m_markers[RightIndent] = new MarkerWidget(false, this);
    m_markers[RightIndent]->setObjectName(QStringLiteral("mrkRightIndent"));
    m_markers[FirstLine]->move(2, 1);
    m_markers[LeftIndent]->move(2, RulerHeight - MarkerHeight - 1);
    m_markers[RightIndent]->move(2, RulerHeight - MarkerHeight - 1);
    for (QWidget* m : m_markers)
        m->installEventFilter(this);
}

int Ruler::markerLeft(Marker m) const
{
    return m_markers[m]->x();
}

void Ruler::setMarkerLeft(Marker m, int left)
{
    m_markers[m]->move(left, m_markers[m]->y());
}

bool Ruler::eventFilter(QObject* watched, QEvent* event)
{
    int which = -1;
    for (int i = 0; i < 3; ++i)
        if (watched == m_markers[i])
            which = i;
    if (which < 0)
        return QWidget::eventFilter(watched, event);
    QWidget* marker = m_markers[which];
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton)
            return false;
        // The marker centres itself under the pointer and follows it.
        FDragOfs = marker->width() / 2;
        setMarkerLeft(Marker(which), marker->x() + int(e->position().x()) - FDragOfs);
        FDragging = true;
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (FDragging)
            setMarkerLeft(Marker(which), marker->x() + int(e->position().x()) - FDragOfs);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!FDragging)
            return false;
        FDragging = false;
        emit released(Marker(which));
        return true;
    default:
        return false;
    }
}

void Ruler::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor(0x60, 0x60, 0x60));
    const int middle = height() / 2;
    p.drawLine(2, middle, width() - 3, middle);
    // The strip's own text: a "|" at every default tab stop.
    QFont f = font();
    f.setPixelSize(7);
    p.setFont(f);
    p.drawText(QRect(0, middle - 4, width(), 9), Qt::TextExpandTabs | Qt::AlignLeft,
               QStringLiteral("\t|").repeated(100));
}

RichEditor::RichEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RichEditor"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(2);
    auto* bar = new QHBoxLayout;
    bar->setSpacing(1);
    buildToolbar(bar);
    box->addLayout(bar);
    m_ruler = new Ruler(this);
    box->addWidget(m_ruler);
    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtMetin"));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setAcceptRichText(true);
    box->addWidget(m_text, 1);

    auto* status = new QFrame(this);
    status->setObjectName(QStringLiteral("pnlDurum"));
    status->setFrameShape(QFrame::StyledPanel);
    auto* statusBox = new QHBoxLayout(status);
    statusBox->setContentsMargins(4, 1, 4, 1);
    m_caret = new QLabel(status);
    m_caret->setObjectName(QStringLiteral("lblSatirSutun"));
    m_caret->setMinimumWidth(180);
    m_changed = new QLabel(status);
    m_changed->setObjectName(QStringLiteral("lblDegisti"));
    m_changed->setAlignment(Qt::AlignCenter);
    m_changed->setMinimumWidth(80);
    m_third = new QLabel(status);
    m_third->setObjectName(QStringLiteral("lblDurum"));
    for (QLabel* l : {m_caret, m_changed}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    statusBox->addWidget(m_caret);
    statusBox->addWidget(m_changed);
    statusBox->addWidget(m_third, 1);
    box->addWidget(status);

    m_fontChooser = [this](QFont& font, QColor&) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, this);
        if (ok)
            font = chosen;
        return ok;
    };

    // New text is typed in the platform's user-interface font.
    const QFont ui = QApplication::font();
    QFont typed(ui.family());
    typed.setPointSizeF(ui.pointSizeF() > 0 ? std::round(ui.pointSizeF()) : 9);
    m_text->document()->setDefaultFont(typed);
    connectToolbar();
    SelectionChange();
    showCaret();
}

RichEditor::~RichEditor()
{
    // The widgets destroyed after this body still signal (the text area
    // moves its caret as it goes): nothing of them reaches the editor then.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void RichEditor::buildToolbar(QHBoxLayout* bar)
{
    m_fontName = new QComboBox(this);
    m_fontName->setObjectName(QStringLiteral("cmbFontName"));
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    m_fontName->setMinimumWidth(170);
    // Filled once: fonts installed later are offered at the next start.
    QStringList families = QFontDatabase::families();
    families.removeDuplicates();
    std::sort(families.begin(), families.end(),
              [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    m_fontName->addItems(families);
    bar->addWidget(m_fontName);

    m_fontSize = new QSpinBox(this);
    m_fontSize->setObjectName(QStringLiteral("spnFontSize"));
    m_fontSize->setRange(1, 1638);
    m_fontSize->setSingleStep(1);
    bar->addWidget(m_fontSize);
    bar->addSpacing(6);

    m_bold = toolButton(this, QStringLiteral("btnBold"), QStringLiteral("Kalın"), true);
    m_bold->setText(QStringLiteral("K"));
    m_italic = toolButton(this, QStringLiteral("btnItalic"), QStringLiteral("Italik"), true);
    m_italic->setText(QStringLiteral("İ"));
    m_underline =
        toolButton(this, QStringLiteral("btnUnderline"), QStringLiteral("Altıçizgili"), true);
    m_underline->setText(QStringLiteral("A"));
    QFont f = m_bold->font();
    f.setBold(true);
    m_bold->setFont(f);
    f.setBold(false);
    f.setItalic(true);
    m_italic->setFont(f);
    f.setItalic(false);
    f.setUnderline(true);
    m_underline->setFont(f);
    for (QToolButton* b : {m_bold, m_italic, m_underline})
        bar->addWidget(b);
    bar->addSpacing(6);

    m_alignment = new QButtonGroup(this);
    m_alignment->setExclusive(true);
    const struct {
        const char* name;
        const char* hint;
    } alignments[] = {
        {"btnLeftAlign", "Sola Yasla"}, {"btnCenter", "Ortala"}, {"btnRightAlign", "Sağa Yasla"}};
    for (int i = 0; i < 3; ++i) {
        QToolButton* b = toolButton(this, QString::fromLatin1(alignments[i].name),
                                    QString::fromUtf8(alignments[i].hint), true);
        b->setIcon(paragraphIcon(i));
        m_alignment->addButton(b, i);
        bar->addWidget(b);
    }
    bar->addSpacing(6);
    m_bullets = toolButton(this, QStringLiteral("btnBullets"), QString(), true);
    m_bullets->setIcon(paragraphIcon(3));
    bar->addWidget(m_bullets);
    bar->addSpacing(6);
    m_fontDialog =
        toolButton(this, QStringLiteral("btnFont"), QStringLiteral("Font Seçimi"), false);
    m_fontDialog->setText(QStringLiteral("F"));
    m_fontDialog->setFixedWidth(28);
    bar->addWidget(m_fontDialog);
    m_undo = toolButton(this, QStringLiteral("btnUndo"), QStringLiteral("Geri Al"), false);
    m_undo->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    bar->addWidget(m_undo);
    bar->addStretch(1);
}

void RichEditor::connectToolbar()
{
    auto guarded = [](auto action) {
        return [action](auto&&... args) { core::guarded([&] { action(args...); }); };
    };
    connect(m_fontName, &QComboBox::textActivated, this,
            guarded([this](const QString& name) { fontNameChosen(name); }));
    connect(m_fontSize, &QSpinBox::valueChanged, this,
            guarded([this](int size) { fontSizeChanged(size); }));
    for (QToolButton* b : {m_bold, m_italic, m_underline})
        connect(b, &QToolButton::clicked, this, guarded([this, b](bool) { styleClicked(b); }));
    connect(m_alignment, &QButtonGroup::idClicked, this,
            guarded([this](int id) { alignmentClicked(id); }));
    connect(m_bullets, &QToolButton::clicked, this,
            guarded([this](bool on) { bulletsClicked(on); }));
    connect(m_fontDialog, &QToolButton::clicked, this, guarded([this](bool) { chooseFont(); }));
    connect(m_undo, &QToolButton::clicked, this, guarded([this](bool) { undo(); }));
    connect(m_text, &QTextEdit::cursorPositionChanged, this,
            guarded([this] { SelectionChange(); }));
    connect(m_text, &QTextEdit::selectionChanged, this, guarded([this] { SelectionChange(); }));
    connect(m_text->document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        m_changed->setText(changeText());
        if (modified && !m_loading)
            emit edited();
    });
    connect(m_text->document(), &QTextDocument::contentsChanged, this,
            [this] { m_changed->setText(changeText()); });
    connect(m_ruler, &Ruler::released, this,
            guarded([this](Ruler::Marker m) { markerReleased(m); }));
}

void RichEditor::load(const QByteArray& stored)
{
    m_loading = true;
    QTextDocument* doc = m_text->document();
    doc->setUndoRedoEnabled(false);
    const bool read = loadLetter(stored, *doc);
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    m_text->moveCursor(QTextCursor::Start);
    m_loading = false;
    SelectionChange();
    m_changed->setText(changeText());
    if (!read)
        core::Prompter::current().message(NotRtfMessage);
}

QByteArray RichEditor::rtf() const
{
    return storedText(*m_text->document());
}

bool RichEditor::isModified() const
{
    return m_text->document()->isModified();
}

void RichEditor::setModified(bool modified)
{
    m_text->document()->setModified(modified);
}

bool RichEditor::isBlank() const
{
    return m_text->document()->toPlainText().trimmed().isEmpty();
}

void RichEditor::setReadOnly(bool readOnly)
{
    m_text->setReadOnly(readOnly);
}

QTextCharFormat RichEditor::CurrentAttributes() const
{
    const QTextCursor c = m_text->textCursor();
    return c.hasSelection() ? c.charFormat() : m_text->currentCharFormat();
}

void RichEditor::changeCurrentAttributes(const QTextCharFormat& change)
{
    // With a selection the selection changes, else the format new text is
    // typed with.
    m_text->mergeCurrentCharFormat(change);
}

void RichEditor::SelectionChange()
{
    m_updating = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_updating};

    const Indents indents = paragraphIndents();
    m_shown = indents;
    m_placed[Ruler::FirstLine] = firstMarkerLeft(indents);
    m_placed[Ruler::LeftIndent] = leftMarkerLeft(indents);
    m_placed[Ruler::RightIndent] = rightMarkerLeft(indents, m_ruler->innerWidth());
    for (int m = 0; m < 3; ++m)
        m_ruler->setMarkerLeft(Ruler::Marker(m), m_placed[m]);

    const QTextCharFormat format = CurrentAttributes();
    const QFont font = format.font().resolve(m_text->document()->defaultFont());
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(format.fontUnderline());
    const QTextBlock block = m_text->textCursor().block();
    m_bullets->setChecked(block.textList() != nullptr);
    m_fontSize->setValue(int(std::lround(font.pointSizeF())));
    m_fontName->setEditText(font.families().value(0, font.family()));

    const Qt::Alignment a = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    int pressed = 0;
    if (a & Qt::AlignHCenter)
        pressed = 1;
    else if (a & Qt::AlignJustify)
        pressed = -1; // justified: none of the three
    else if (a & Qt::AlignRight)
        pressed = 2;
    m_alignment->setExclusive(false);
    for (int i = 0; i < 3; ++i)
        m_alignment->button(i)->setChecked(i == pressed);
    m_alignment->setExclusive(true);
    showCaret();
}

int RichEditor::firstMarkerLeft(const Indents& i)
{
    return int(std::trunc(i.first * PixelsPerPoint)) + 2;
}

int RichEditor::leftMarkerLeft(const Indents& i)
{
    return int(std::trunc((i.first + i.left) * PixelsPerPoint)) + 2;
}

int RichEditor::rightMarkerLeft(const Indents& i, int width)
{
    return width - Gutter - int(std::trunc((i.right + Gutter) * PixelsPerPoint));
}

namespace {

// The indent levels of a block (its own and its list's), in pixels.
double levelPixels(const QTextBlock& block)
{
    return rtf::indentLevels(block) * block.document()->indentWidth();
}

} // namespace

RichEditor::Indents RichEditor::paragraphIndents() const
{
    const QTextBlock block = m_text->textCursor().block();
    const QTextBlockFormat f = block.blockFormat();
    const double rest = levelPixels(block) + f.leftMargin();
    // In twips, as they are stored: the pixels of a stored indent give it
    // back exactly.
    auto points = [](double pixels) { return std::round(pixels / PixelsPerPoint * 20) / 20; };
    Indents i;
    i.first = points(rest + f.textIndent());
    i.left = points(-f.textIndent());
    i.right = points(f.rightMargin());
    return i;
}

void RichEditor::setParagraphIndents(const Indents& indents)
{
    QTextCursor c = m_text->textCursor();
    QTextDocument* doc = m_text->document();
    const QTextBlock last = doc->findBlock(c.selectionEnd());
    c.beginEditBlock();
    for (QTextBlock b = doc->findBlock(c.selectionStart()); b.isValid(); b = b.next()) {
        QTextBlockFormat f;
        f.setLeftMargin((indents.first + indents.left) * PixelsPerPoint - levelPixels(b));
        f.setTextIndent(-indents.left * PixelsPerPoint);
        f.setRightMargin(indents.right * PixelsPerPoint);
        QTextCursor(b).mergeBlockFormat(f);
        if (b == last)
            break;
    }
    c.endEditBlock();
}

void RichEditor::fontNameChosen(const QString& name)
{
    if (m_updating || m_fontName->findText(name, Qt::MatchFixedString) < 0)
        return;
    QTextCharFormat change;
    change.setFontFamilies(QStringList{name});
    changeCurrentAttributes(change);
}

void RichEditor::fontSizeChanged(int size)
{
    if (m_updating || size <= 0)
        return;
    QTextCharFormat change;
    change.setFontPointSize(size);
    changeCurrentAttributes(change);
}

void RichEditor::styleClicked(QToolButton* button)
{
    if (m_updating)
        return;
    QTextCharFormat change;
    const bool on = button->isChecked();
    if (button == m_bold)
        change.setFontWeight(on ? QFont::Bold : QFont::Normal);
    else if (button == m_italic)
        change.setFontItalic(on);
    else
        change.setFontUnderline(on);
    changeCurrentAttributes(change);
}

void RichEditor::alignmentClicked(int id)
{
    if (m_updating)
        return;
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    m_text->setAlignment(alignments[std::clamp(id, 0, 2)]);
}

void RichEditor::bulletsClicked(bool on)
{
    if (m_updating)
        return;
    QTextCursor c = m_text->textCursor();
    QTextDocument* doc = m_text->document();
    c.beginEditBlock();
    if (on) {
        if (!c.block().textList()) {
            QTextListFormat list;
            list.setStyle(QTextListFormat::ListDisc);
            list.setIndent(1);
            c.createList(list);
        }
    } else {
        const QTextBlock last = doc->findBlock(c.selectionEnd());
        for (QTextBlock b = doc->findBlock(c.selectionStart()); b.isValid(); b = b.next()) {
            if (QTextList* list = b.textList()) {
                list->remove(b);
                QTextBlockFormat f;
                f.setIndent(0);
                QTextCursor(b).mergeBlockFormat(f);
            }
            if (b == last)
                break;
        }
    }
    c.endEditBlock();
}

void RichEditor::markerReleased(Ruler::Marker marker)
{
    const Ruler& r = *m_ruler;
    const Indents stored = paragraphIndents();
    auto points = [&](int left) {
        return std::trunc((left + r.FDragOfs - Gutter) / PixelsPerPoint);
    };
    // A marker released where the synchronisation put it keeps its indent.
    auto moved = [&](Ruler::Marker m) { return r.markerLeft(m) != m_placed[m]; };
    Indents next = stored;
    switch (marker) {
    case Ruler::FirstLine: {
        next.first =
            moved(Ruler::FirstLine) ? points(r.markerLeft(Ruler::FirstLine)) : stored.first;
        // The other lines keep their place: the left indent marker is
        // read where it stands.
        const double rest = moved(Ruler::LeftIndent) ? points(r.markerLeft(Ruler::LeftIndent))
                                                     : stored.first + stored.left;
        next.left = rest - next.first;
        break;
    }
    case Ruler::LeftIndent: {
        const double rest = moved(Ruler::LeftIndent) ? points(r.markerLeft(Ruler::LeftIndent))
                                                     : stored.first + stored.left;
        next.left = rest - next.first;
        break;
    }
    case Ruler::RightIndent:
        if (moved(Ruler::RightIndent))
            next.right =
                std::trunc((r.innerWidth() - r.markerLeft(Ruler::RightIndent) + r.FDragOfs - 2) /
                           PixelsPerPoint) -
                12;
        break;
    }
    // Neither line starts left of the margin, nor ends right of it.
    next.first = std::max(0.0, next.first);
    next.left = std::max(-next.first, next.left);
    next.right = std::max(0.0, next.right);
    if (next.first != stored.first || next.left != stored.left || next.right != stored.right)
        setParagraphIndents(next);
    SelectionChange();
}

void RichEditor::chooseFont()
{
    const QTextCharFormat current = CurrentAttributes();
    QFont font = current.font().resolve(m_text->document()->defaultFont());
    QColor color =
        current.foreground().style() == Qt::NoBrush ? QColor() : current.foreground().color();
    if (m_fontChooser && m_fontChooser(font, color)) {
        QTextCharFormat change;
        change.setFontFamilies(QStringList{font.family()});
        change.setFontPointSize(font.pointSizeF());
        change.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
        change.setFontItalic(font.italic());
        change.setFontUnderline(font.underline());
        change.setFontStrikeOut(font.strikeOut());
        if (color.isValid())
            change.setForeground(color);
        changeCurrentAttributes(change);
    }
    SelectionChange();
    m_text->setFocus();
}

void RichEditor::undo()
{
    m_text->undo();
}

QString RichEditor::caretText() const
{
    const QTextCursor c = m_text->textCursor();
    const QTextBlock block = c.block();
    int line = 0;
    for (QTextBlock b = m_text->document()->begin(); b.isValid() && b != block; b = b.next())
        line += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
    int column = c.positionInBlock();
    if (const QTextLayout* layout = block.layout()) {
        const QTextLine l = layout->lineForTextPosition(c.positionInBlock());
        if (l.isValid()) {
            line += l.lineNumber();
            column -= l.textStart();
        }
    }
    return QString::asprintf("Satır: %3d   Sütun: %3d", line + 1, column + 1);
}

QString RichEditor::changeText() const
{
    return isModified() ? QStringLiteral("Değişti") : QString();
}

void RichEditor::showCaret()
{
    m_caret->setText(caretText());
}

} // namespace letters
