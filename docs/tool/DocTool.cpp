// torvik-doctool: turns the manuals' Markdown sources into the documents the
// Help menu opens, with Qt's own text layout and PDF writer (no typesetter):
//   torvik-doctool pdf OUT.pdf TITLE SUBTITLE IN.md...   a PDF with a title page, contents and page numbers
//   torvik-doctool html OUT.html TITLE IN.md...          one self-contained HTML file, images inline
//   torvik-doctool png IN.svg OUT.png SIZE               an SVG drawn at SIZE x SIZE pixels
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>
#include <cstdio>

namespace {

// Layout units: the PDF is laid out at 96 device pixels per inch, as on a
// screen, so that a screenshot's pixels and a point size keep their usual
// proportions; the text itself stays vector text.
constexpr int Dpi = 96;
constexpr double MarginMm = 20;

QString ReadText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "torvik-doctool: cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    return QString::fromUtf8(f.readAll());
}

// The sources joined, image paths made absolute against each source's folder.
QString JoinedMarkdown(const QStringList& sources)
{
    QString text;
    static const QRegularExpression image(R"(!\[([^\]]*)\]\(([^)\s]+)\))");
    for (const QString& path : sources) {
        QString md = ReadText(path);
        const QDir dir = QFileInfo(path).absoluteDir();
        QString out;
        qsizetype at = 0;
        for (auto it = image.globalMatch(md); it.hasNext();) {
            const auto m = it.next();
            out += md.mid(at, m.capturedStart() - at);
            out +=
                "![" + m.captured(1) + "](" + QUrl::fromLocalFile(dir.absoluteFilePath(m.captured(2))).toString() + ")";
            at = m.capturedEnd();
        }
        out += md.mid(at);
        text += out + "\n\n";
    }
    return text;
}

void StyleDocument(QTextDocument& doc, double textWidth)
{
    QFont body("DejaVu Sans");
    body.setPointSizeF(9.5);
    doc.setDefaultFont(body);
    doc.setDocumentMargin(0);
    doc.setDefaultStyleSheet("code { font-family: 'DejaVu Sans Mono'; }");

    // Headings a little apart from the text.
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextCursor c(b);
        QTextBlockFormat bf = b.blockFormat();
        const int level = bf.headingLevel();
        if (level > 0) {
            bf.setTopMargin(level == 1 ? 22 : 12);
            bf.setBottomMargin(6);
            c.setBlockFormat(bf);
        } else if (bf.hasProperty(QTextFormat::BlockCodeFence)) {
            // The lines of a code block (a data file's lines) stay together as
            // in the file: space only after the block's last line.
            const QTextBlock next = b.next();
            const bool last = !next.isValid() || !next.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
            bf.setTopMargin(0);
            bf.setBottomMargin(last ? 5 : 0);
            c.setBlockFormat(bf);
        } else {
            bf.setBottomMargin(5);
            c.setBlockFormat(bf);
        }
        // Images no wider than the text.
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid() || !f.charFormat().isImageFormat())
                continue;
            QTextImageFormat image = f.charFormat().toImageFormat();
            const QImage picture(QUrl(image.name()).toLocalFile());
            if (picture.isNull())
                continue;
            const double w = std::min<double>(picture.width(), textWidth);
            image.setWidth(w);
            image.setHeight(picture.height() * w / picture.width());
            QTextCursor ic(&doc);
            ic.setPosition(f.position());
            ic.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            ic.setCharFormat(image);
        }
    }
    // Tables with thin rules and some room in their cells.
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            QTextTableFormat tf = table->format();
            tf.setBorder(0.5);
            tf.setBorderBrush(QColor(150, 150, 150));
            tf.setBorderCollapse(true);
            tf.setCellPadding(3);
            tf.setCellSpacing(0);
            tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(tf);
            for (int col = 0; col < table->columns(); ++col) {
                QTextTableCell cell = table->cellAt(0, col);
                QTextCharFormat header = cell.format();
                header.setBackground(QColor(235, 235, 235));
                cell.setFormat(header);
            }
        }
    }
}

// A heading in the last sixth of a page moves to the next page, with the text
// it heads; the layout follows each change before the next heading is placed.
void KeepHeadingsWithText(QTextDocument& doc, double pageHeight)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() == 0)
            continue;
        const double top = doc.documentLayout()->blockBoundingRect(b).top();
        const double onPage = top - std::floor(top / pageHeight) * pageHeight;
        if (onPage > pageHeight * 5 / 6) {
            QTextBlockFormat bf = b.blockFormat();
            bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(b).setBlockFormat(bf);
        }
    }
}

struct Heading {
    int level;
    QString text;
    int page;  // within the body, from 0
};

// Room below the text on each page for the footer.
constexpr double FooterHeight = 28;

void SetUpWriter(QPdfWriter& writer, const QString& title)
{
    writer.setResolution(Dpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator("TORVIK");
}

// The part of the printable area the text fills: all of it above the footer.
QSizeF TextPageSize(const QRect& area)
{
    return QSizeF(area.width(), area.height() - FooterHeight);
}

// The sources styled and laid out on pages of the given size, measured with the
// writer's fonts, headings kept with their text.
void LayOutBody(QTextDocument& doc, QPdfWriter& writer, const QStringList& sources, const QSizeF& page)
{
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setMarkdown(JoinedMarkdown(sources), QTextDocument::MarkdownDialectGitHub);
    StyleDocument(doc, page.width());
    doc.setPageSize(page);
    KeepHeadingsWithText(doc, page.height());
    // A full layout again, so that every block sits where the last change put it.
    doc.markContentsDirty(0, doc.characterCount());
    doc.setPageSize(page);
}

// The chapters and sections (heading levels 1 and 2) in order, with the body page each starts on.
std::vector<Heading> ContentsHeadings(const QTextDocument& doc, double pageHeight)
{
    std::vector<Heading> headings;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int level = b.blockFormat().headingLevel();
        if (level == 1 || level == 2) {
            const QRectF r = doc.documentLayout()->blockBoundingRect(b);
            headings.push_back({level, b.text(), static_cast<int>(r.top() / pageHeight)});
        }
    }
    return headings;
}

// An empty contents document in the body's text font, on pages of the body's size.
void SetUpContents(QTextDocument& contents, QPdfWriter& writer, const QSizeF& page)
{
    contents.documentLayout()->setPaintDevice(&writer);
    QFont font("DejaVu Sans");
    font.setPointSizeF(9.5);
    contents.setDefaultFont(font);
    contents.setDocumentMargin(0);
    contents.setPageSize(page);
}

// The contents written afresh: a heading, then one line per chapter or section
// with its page number, the body counted from firstBodyPage.
void FillContents(QTextDocument& contents, const std::vector<Heading>& headings, int firstBodyPage, double pageWidth)
{
    contents.clear();
    QTextCursor c(&contents);
    QTextCharFormat h;
    h.setFontPointSize(16);
    h.setFontWeight(QFont::Bold);
    c.insertText("Contents", h);
    for (const Heading& e : headings) {
        // Sections indented under their chapter; page numbers at the right.
        const double indent = e.level == 1 ? 0 : 18;
        QTextBlockFormat bf;
        bf.setLeftMargin(indent);
        bf.setTopMargin(e.level == 1 ? 6 : 1);
        bf.setTabPositions({QTextOption::Tab(pageWidth - indent - 2, QTextOption::RightTab)});
        QTextCharFormat cf;
        cf.setFontWeight(e.level == 1 ? QFont::Bold : QFont::Normal);
        c.insertBlock(bf);
        c.insertText(e.text + "\t" + QString::number(firstBodyPage + e.page), cf);
    }
}

void DrawTitlePage(QPainter& p, const QRect& area, const QString& title, const QString& subtitle)
{
    QFont big("DejaVu Sans");
    big.setPointSizeF(26);
    big.setBold(true);
    p.setFont(big);
    p.drawText(QRectF(0, area.height() * 0.28, area.width(), 60), Qt::AlignLeft, "TORVIK");
    QFont mid("DejaVu Sans");
    mid.setPointSizeF(18);
    p.setFont(mid);
    p.drawText(QRectF(0, area.height() * 0.28 + 60, area.width(), 40), Qt::AlignLeft, title);
    QFont small("DejaVu Sans");
    small.setPointSizeF(10);
    p.setFont(small);
    p.drawText(QRectF(0, area.height() * 0.28 + 110, area.width(), 80), Qt::AlignLeft | Qt::TextWordWrap, subtitle);
    p.setPen(QPen(QColor(0, 0, 255), 2));
    p.drawLine(QPointF(0, area.height() * 0.28 - 10), QPointF(area.width() * 0.6, area.height() * 0.28 - 10));
}

// A rule at the foot of the page, the title at its left and the page number at its right.
void DrawFooter(QPainter& p, const QRect& area, const QString& title, int number)
{
    QFont f("DejaVu Sans");
    f.setPointSizeF(8);
    p.setFont(f);
    p.setPen(QColor(90, 90, 90));
    const QRectF r(0, area.height() - FooterHeight + 8, area.width(), FooterHeight - 8);
    p.drawLine(QPointF(0, r.top()), QPointF(area.width(), r.top()));
    p.drawText(r, Qt::AlignLeft | Qt::AlignBottom, title);
    p.drawText(r, Qt::AlignRight | Qt::AlignBottom, QString::number(number));
}

// Each page of a laid-out document on a new PDF page with its footer, numbered
// on from the page before (number); returns the number of the last page drawn.
int DrawPages(QPdfWriter& writer, QPainter& p, const QTextDocument& d, const QRect& area, const QString& title,
              int number)
{
    const QSizeF page = TextPageSize(area);
    for (int i = 0; i < d.pageCount(); ++i) {
        writer.newPage();
        ++number;
        p.save();
        const QRectF clip(0, i * page.height(), page.width(), page.height());
        p.translate(0, -clip.top());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = clip;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        p.setClipRect(clip);
        d.documentLayout()->draw(&p, ctx);
        p.restore();
        DrawFooter(p, area, title, number);
    }
    return number;
}

int WritePdf(const QString& out, const QString& title, const QString& subtitle, const QStringList& sources)
{
    QPdfWriter writer(out);
    SetUpWriter(writer, title);
    const QRect area = writer.pageLayout().paintRectPixels(Dpi);
    const QSizeF page = TextPageSize(area);

    QTextDocument doc;
    LayOutBody(doc, writer, sources, page);
    const std::vector<Heading> headings = ContentsHeadings(doc, page.height());

    // The contents: laid out once to know how many pages they take, then again
    // with the page numbers that follow from that.
    QTextDocument contents;
    SetUpContents(contents, writer, page);
    FillContents(contents, headings, 0, page.width());
    const int firstBody = 2 + contents.pageCount();  // after the title page and the contents
    FillContents(contents, headings, firstBody, page.width());

    QPainter p(&writer);
    DrawTitlePage(p, area, title, subtitle);
    const int lastContentsPage = DrawPages(writer, p, contents, area, title, 1);
    DrawPages(writer, p, doc, area, title, lastContentsPage);
    return p.end() ? 0 : 1;
}

int WriteHtml(const QString& out, const QString& title, const QStringList& sources)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont("DejaVu Sans", 11));
    doc.setMarkdown(JoinedMarkdown(sources), QTextDocument::MarkdownDialectGitHub);
    doc.setMetaInformation(QTextDocument::DocumentTitle, title);
    QString html = doc.toHtml();
    // Images inline, so that the one file can be opened from anywhere.
    static const QRegularExpression src(R"re(<img src="(file://[^"]+)")re");
    QString result;
    qsizetype at = 0;
    for (auto it = src.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QFile f(QUrl(m.captured(1)).toLocalFile());
        result += html.mid(at, m.capturedStart() - at);
        if (f.open(QIODevice::ReadOnly))
            result += "<img style=\"max-width:100%\" src=\"data:image/png;base64," +
                      QString::fromLatin1(f.readAll().toBase64()) + "\"";
        else
            result += m.captured(0);
        at = m.capturedEnd();
    }
    result += html.mid(at);
    result.replace("<body style=\"", "<body style=\"max-width:52em; margin:2em auto; padding:0 1em; line-height:1.4; ");
    result.replace("font-family:'DejaVu Sans';", "font-family:'DejaVu Sans', sans-serif;");
    result.replace("<table border=\"0\"", "<table border=\"1\"");
    QFile f(out);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(result.toUtf8());
    return f.error() == QFile::NoError ? 0 : 1;
}

int WritePng(const QString& svg, const QString& out, int size)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return 1;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p);
    p.end();
    return image.save(out) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // Needs no display: fonts and drawing come from the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList a = QGuiApplication::arguments();
    int rc = 2;
    if (a.size() >= 6 && a[1] == "pdf")
        rc = WritePdf(a[2], a[3], a[4], a.mid(5));
    else if (a.size() >= 5 && a[1] == "html")
        rc = WriteHtml(a[2], a[3], a.mid(4));
    else if (a.size() == 5 && a[1] == "png")
        rc = WritePng(a[2], a[3], a[4].toInt());
    else
        std::fprintf(stderr,
                     "Usage: torvik-doctool pdf OUT.pdf TITLE SUBTITLE IN.md...\n"
                     "       torvik-doctool html OUT.html TITLE IN.md...\n"
                     "       torvik-doctool png IN.svg OUT.png SIZE\n");
    if (rc == 1)
        std::fprintf(stderr, "torvik-doctool: cannot write %s\n", qPrintable(a.value(2)));
    return rc;
}
