// Random designs (texts, pictures, barcodes, lines and shapes, bound to series and to columns of
// the loaded table, moved after they were placed) and random records (photos gone, values no
// barcode can show, empty cells, which leave a barcode without its symbol), exported and printed
// through the main window's own commands.
// Every card produced must be, pixel for pixel at 600 dpi, the design with that record's values
// set by hand and rendered off-screen; every other record is left out and listed in the end
// report; and no record's value shows on another record's card, in either of two print jobs made
// one after the other in the same window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QBitArray>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <random>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "output/OutputPictures.h"
#include "output/SheetLayout.h"
#include "output/SideSnapshot.h"
#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/output/ExportSheet.h"
#include "views/print/Print_Wnd.h"
#include "views/print/StandInPrinters.h"

namespace {

constexpr int kShards = 26;
constexpr int kCasesPerShard = 8;
constexpr double kDpi = 600;

enum class Source { Manual, Series, Column };
enum class Kind { Text, Picture, Code128, Code39, Ean13, Qr };

// One bound or manual element of a case, and what each record gives it.
struct Field {
    GraphicPtr element;
    Kind kind = Kind::Text;
    Source source = Source::Manual;
    int column = 0;      // the table column of a column-bound element
    QString series;      // the series of a series-bound element
    QStringList values;  // record by record; a series shorter than the run gives "" after its end
    QList<bool> unencodable;
};

bool isBarcode(Kind kind) { return kind != Kind::Text && kind != Kind::Picture; }

QString symbologyOf(Kind kind)
{
    switch (kind) {
    case Kind::Code128: return QStringLiteral("Code 128");
    case Kind::Code39: return QStringLiteral("Code 39");
    case Kind::Ean13: return QStringLiteral("EAN-13");
    case Kind::Qr: return QStringLiteral("QR Code");
    default: return QString();
    }
}

// Card sizes whose edges fall on whole pixels at 600 dpi (multiples of 0.12 point).
const QSizeF kCardSizes[] = {{180, 114}, {216, 136.8}, {243.6, 153.6}};

class Case {
public:
    Case(int number, const QString& folder) : m_number(number), m_folder(folder), m_random(quint32(7919 * number + 17))
    {
        m_card = kCardSizes[pick(3)];
        m_twoSided = chance(40);
        m_records = 2 + pick(3);
        const int texts = 1 + pick(3);
        const bool picture = chance(60);
        const int barcodes = pick(3);
        addSide(m_front, texts, picture, barcodes);
        if (m_twoSided) {
            const bool backPicture = chance(30);
            addSide(m_back, 1, backPicture, 1);
        }
        moveSome(m_front);
        moveSome(m_back);
    }

    int number() const { return m_number; }
    QSizeF card() const { return m_card; }
    bool twoSided() const { return m_twoSided; }
    GraphicList front() const { return elementsOf(m_front); }
    GraphicList back() const { return elementsOf(m_back); }
    // Records of the run with the series on or off: the longest source, at least one.
    int records(bool series) const
    {
        int count = usesColumns() ? m_records : 0;
        for (const Field& field : fields())
            if (series && field.source == Source::Series)
                count = std::max(count, int(field.values.size()));
        return std::max(count, 1);
    }
    bool usesColumns() const { return uses(Source::Column); }
    bool usesSeries() const { return uses(Source::Series); }

    // The loaded table's rows and the series files.
    void writeSources(const QString& seriesFolder) const
    {
        Data_From_Excel& table = Loaded_Data_Table();
        table.ListData.clear();
        for (int n = 0; n < m_records; ++n) {
            QStringList cells(m_columns, QString());
            for (const Field& field : fields())
                if (field.source == Source::Column)
                    cells[field.column - 1] = field.values.value(n);
            table.Create_List_By_Array(cells, int(cells.size()));
        }
        for (const Field& field : fields()) {
            if (field.source != Source::Series)
                continue;
            QFile file(QDir(seriesFolder).filePath(field.series + QStringLiteral(".txt")));
            if (file.open(QIODevice::WriteOnly))
                file.write(field.values.join(u'\n').toUtf8());
        }
    }

    // Why record n cannot be made with these sources, or nothing.
    QString refusal(int n, bool series) const
    {
        for (const Field& field : fields()) {
            if (!takes(field, series))
                continue;
            const QString value = valueOf(field, n);
            if (field.kind == Kind::Picture && !value.isEmpty() && !QFile::exists(value))
                return QStringLiteral("picture");
            // An empty value is the record's own: its card goes out without the symbol.
            if (isBarcode(field.kind) && !value.isEmpty() && field.unencodable.value(n))
                return QStringLiteral("barcode");
        }
        return QString();
    }

    // The side as a person would set it for record n: copies of the design, each bound element
    // given the record's value by hand, barcodes drawn anew and centred where the element is.
    GraphicList sideByHand(CardSide side, int n, bool series) const
    {
        GraphicList copies;
        for (const Field& field : side == CardSide::Front ? m_front : m_back) {
            GraphicPtr copy = field.element->cloneForRendering();
            if (takes(field, series)) {
                const QString value = valueOf(field, n);
                if (field.kind == Kind::Text) {
                    copy->Set_text_value(value);
                } else if (field.kind == Kind::Picture) {
                    static_cast<SKTImage&>(*copy).setFilePath(value, false);
                } else {
                    const QPointF centre = copy->bounds().center();
                    barcodeFactory().Set_Barcode_Prop_To_Control(*copy);
                    copy->Set_Barcode_image(value.isEmpty() ? BarcodePicture()
                                                            : barcodeFactory().Get_Image_From_Val(
                                                                  value, copy->barcode.header_val, copy->barcode.footer_val));
                    copy->setBounds(QRectF(centre - QPointF(copy->bounds().width() / 2, copy->bounds().height() / 2),
                                           copy->bounds().size()));
                }
            }
            copies.append(copy);
        }
        return copies;
    }

    // Values record n puts on the card, and every value of every other record.
    QStringList tokensOf(int n, bool series) const
    {
        QStringList tokens;
        for (const Field& field : fields())
            if (takes(field, series) && field.kind == Kind::Text && !valueOf(field, n).isEmpty())
                tokens.append(valueOf(field, n));
        return tokens;
    }
    QStringList tokensNotOf(int n) const
    {
        QStringList tokens;
        for (const Field& field : fields())
            for (int other = 0; other < field.values.size(); ++other)
                if (other != n && field.kind == Kind::Text && !field.values[other].isEmpty()
                    && field.values[other] != field.values.value(n))
                    tokens.append(field.values[other]);
        return tokens;
    }

private:
    QList<Field> fields() const { return m_front + m_back; }
    static GraphicList elementsOf(const QList<Field>& side)
    {
        GraphicList elements;
        for (const Field& field : side)
            elements.append(field.element);
        return elements;
    }
    bool uses(Source source) const
    {
        const QList<Field> all = fields();
        return std::any_of(all.begin(), all.end(), [source](const Field& f) { return f.source == source; });
    }
    static bool takes(const Field& field, bool series)
    {
        return field.source == Source::Column || (series && field.source == Source::Series);
    }
    QString valueOf(const Field& field, int n) const
    {
        if (field.source == Source::Column && n >= m_records)
            return QString();
        return field.values.value(n);
    }

    int pick(int count) { return int(m_random() % quint32(count)); }
    bool chance(int percent) { return pick(100) < percent; }
    double between(double low, double high) { return low + (high - low) * (m_random() % 1000) / 1000.0; }

    Source anySource()
    {
        const int roll = pick(10);
        return roll < 4 ? Source::Column : roll < 8 ? Source::Series : Source::Manual;
    }

    // Texts, maybe a picture, barcodes, a line and a shape, each in its own band of the card.
    void addSide(QList<Field>& side, int texts, bool picture, int barcodes)
    {
        const double W = m_card.width(), H = m_card.height();
        GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
        shape->setBounds(QRectF(0, H - 8, W, 8));
        shape->setFillColor(QColor::fromHsv(pick(360), 160, 200));
        shape->ctrl_is_visible = true;
        side.append({shape});
        GraphicPtr rule = SKTGraphic::create(GraphicKind::Line);
        rule->setBounds(QRectF(6, H - 12, W - 12, 0));
        rule->ctrl_is_visible = true;
        side.append({rule});
        const double textWidth = picture ? W * 0.6 : W - 12;
        for (int t = 0; t < texts; ++t)
            side.append(textField(QRectF(6, 4 + 16 * t, textWidth, 15)));
        if (picture)
            side.append(pictureField(QRectF(W * 0.65, 4, W * 0.3, H * 0.45)));
        const double top = 4 + 16 * texts;
        const double bandWidth = (W - 12) / std::max(1, barcodes);
        for (int b = 0; b < barcodes; ++b)
            side.append(barcodeField(QRectF(6 + b * bandWidth, top, bandWidth, H - 14 - top)));
    }

    Field bound(GraphicPtr element, Kind kind)
    {
        Field field;
        field.element = std::move(element);
        field.kind = kind;
        field.source = anySource();
        field.element->ctrl_is_visible = true;
        if (field.source == Source::Column) {
            field.column = ++m_columns;
            field.element->data_source_type = 2;
            field.element->excel_binding = true;
            field.element->excel_col_indx = field.column;
        } else if (field.source == Source::Series) {
            field.series = QStringLiteral("P%1s%2").arg(m_number).arg(++m_seriesCount);
            field.element->data_source_type = 1;
            field.element->batch_list_name = field.series;
            field.element->batch_list_index = 0;
        }
        const int count = field.source == Source::Series ? 1 + pick(m_records + 1) : m_records;
        for (int n = 0; n < count; ++n)
            field.values.append(QString());
        field.unencodable = QList<bool>(count, false);
        return field;
    }

    // A series file ends at its last value: empty values after it are no records of its own.
    static void endSeries(Field& field)
    {
        if (field.source != Source::Series)
            return;
        while (field.values.size() > 1 && field.values.last().isEmpty())
            field.values.removeLast();
        field.unencodable.resize(field.values.size());
    }

    Field textField(const QRectF& box)
    {
        GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
        text->setBounds(box);
        text->Set_text_value(QStringLiteral("Design %1").arg(m_number));
        Field field = bound(text, Kind::Text);
        for (int n = 0; n < field.values.size(); ++n)
            field.values[n] = chance(15) ? QString() : QStringLiteral("K%1r%2t%3").arg(m_number).arg(n).arg(m_front.size());
        endSeries(field);
        return field;
    }

    QString photo(const QString& name, QColor colour) const
    {
        const QString path = QDir(m_folder).filePath(name);
        QImage picture(40 + int(colour.hue() % 30), 50, QImage::Format_RGB32);
        picture.fill(colour);
        picture.save(path);
        return path;
    }

    Field pictureField(const QRectF& box)
    {
        GraphicPtr picture = SKTGraphic::create(GraphicKind::Image);
        picture->setBounds(box);
        static_cast<SKTImage&>(*picture).setFilePath(photo(QStringLiteral("design%1.png").arg(m_number), Qt::gray), true);
        Field field = bound(picture, Kind::Picture);
        for (int n = 0; n < field.values.size(); ++n) {
            const int roll = pick(100);
            field.values[n] = roll < 15   ? QString()
                              : roll < 30 ? QDir(m_folder).filePath(QStringLiteral("gone%1_%2.png").arg(m_number).arg(n))
                                          : photo(QStringLiteral("p%1_%2_%3.png").arg(m_number).arg(n).arg(pick(1000)),
                                                  QColor::fromHsv(pick(360), 200, 220));
        }
        endSeries(field);
        return field;
    }

    QString encodable(Kind kind, int n)
    {
        switch (kind) {
        case Kind::Ean13: {
            QString digits;
            for (int d = 0; d < 12; ++d)
                digits += QChar(u'0' + pick(10));
            return digits;
        }
        case Kind::Qr: return QStringLiteral("Q%1-%2-%3").arg(m_number).arg(n).arg(pick(1000));
        default: return QStringLiteral("C%1R%2N%3").arg(m_number).arg(n).arg(pick(100));
        }
    }

    Field barcodeField(const QRectF& box)
    {
        static const Kind kinds[] = {Kind::Code128, Kind::Code39, Kind::Ean13, Kind::Qr};
        const Kind kind = kinds[pick(4)];
        GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
        barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(symbologyOf(kind)));
        barcode->barcode.linear_or_2d = kind == Kind::Qr ? 1 : 0;
        barcode->barcode.linear_width_val = 8;
        barcode->barcode.qr_size_val = 1;
        // Designed with a value of its own, centred in its band, the box following the bounds.
        const QString own = encodable(kind, 99);
        barcode->barcode.linear_font_val = own;
        barcode->barcode.two_d_font_val = own;
        barcodeFactory().Set_Barcode_Prop_To_Control(*barcode);
        const BarcodePicture picture = barcodeFactory().Get_Image_From_Val(own, QString(), QString());
        barcode->setBounds(QRectF(box.center() - QPointF(picture.size().width() / 2, picture.size().height() / 2),
                                  picture.size()));
        barcode->Set_Barcode_image(picture);
        Field field = bound(barcode, kind);
        for (int n = 0; n < field.values.size(); ++n) {
            const int roll = pick(100);
            if (roll < 10) {
                field.values[n] = QString();
            } else if (roll < 25 && (kind == Kind::Ean13 || kind == Kind::Code39)) {
                field.values[n] = kind == Kind::Ean13 ? QStringLiteral("AB%1").arg(n) : QStringLiteral("a@%1").arg(n);
                field.unencodable[n] = true;
            } else {
                field.values[n] = encodable(kind, n);
            }
        }
        endSeries(field);
        return field;
    }

    // Some elements moved after they were placed, as typed on the Arrange page.
    void moveSome(QList<Field>& side)
    {
        for (Field& field : side) {
            if (!chance(30))
                continue;
            const QRectF b = field.element->bounds();
            const double dx = between(-4, 4);
            const double dy = between(-3, 3);
            if (chance(50)) {
                field.element->setXPosition(b.x() + dx);
                field.element->setYPosition(b.y() + dy);
            } else {
                field.element->setBounds(b.translated(dx, dy));
            }
        }
    }

    int m_number;
    QString m_folder;
    std::mt19937 m_random;
    QSizeF m_card;
    bool m_twoSided = false;
    int m_records = 2;
    int m_columns = 0;
    int m_seriesCount = 0;
    QList<Field> m_front;
    QList<Field> m_back;
};

QImage onWhite(const QImage& image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

// Whether each pixel's colour is off by more than a shade of antialiasing.
QList<QBitArray> differences(const QImage& a, const QImage& b)
{
    const QImage x = onWhite(a);
    const QImage y = onWhite(b);
    QList<QBitArray> rows;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        QBitArray differing(x.width());
        for (int column = 0; column < x.width(); ++column)
            differing[column] = std::max({std::abs(qRed(p[column]) - qRed(q[column])),
                                          std::abs(qGreen(p[column]) - qGreen(q[column])),
                                          std::abs(qBlue(p[column]) - qBlue(q[column]))})
                                > 64;
        rows.append(differing);
    }
    return rows;
}

int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height() + 1;
    int count = 0;
    for (const QBitArray& row : differences(a, b))
        count += int(row.count(true));
    return count;
}

// Differing pixels whose eight neighbours differ too: a glyph, bar or photo of another record
// leaves such blots, a rasteriser rounding an edge another way leaves lines one pixel thin.
int blottedPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height() + 1;
    const QList<QBitArray> rows = differences(a, b);
    int count = 0;
    for (int row = 1; row + 1 < rows.size(); ++row)
        for (int column = 1; column + 1 < a.width(); ++column) {
            bool blot = true;
            for (int dy = -1; dy <= 1 && blot; ++dy)
                for (int dx = -1; dx <= 1 && blot; ++dx)
                    blot = rows[row + dy].testBit(column + dx);
            count += blot;
        }
    return count;
}

QString pdfText(const QString& pdf, const QRectF& area = QRectF())
{
    QStringList arguments{"-f", "1", "-l", "1", "-r", "72"};
    if (!area.isNull())
        arguments << "-x" << QString::number(int(area.x())) << "-y" << QString::number(int(area.y())) << "-W"
                  << QString::number(int(std::ceil(area.width()))) << "-H" << QString::number(int(std::ceil(area.height())));
    arguments << pdf << QStringLiteral("-");
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), arguments).out);
}

// A part of a PDF's first page at 600 dpi, its origin and size in points.
QImage pdfRaster(const QString& pdf, const QRectF& area)
{
    const auto px = [](double points) { return QString::number(qRound(points * kDpi / 72)); };
    const QString out = pdf + QStringLiteral("-crop");
    TestEnvironment::run(QStringLiteral("pdftoppm"), {"-r", QString::number(kDpi), "-singlefile", "-x", px(area.x()), "-y",
                                                      px(area.y()), "-W", px(area.width()), "-H", px(area.height()), pdf, out});
    return QImage(out + QStringLiteral(".ppm"));
}

class OutputProperty : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        m_dataFolder = Data_Folder_Path;
        Data_Folder_Path = scratch.filePath("DataSet");
        QDir().mkpath(Data_Folder_Path);
        print_profile_path = scratch.filePath("profiles");
        QDir().mkpath(print_profile_path.get());
    }
    void TearDown() override
    {
        Data_Folder_Path = m_dataFolder;
        print_profile_path = QString();
        Loaded_Data_Table().ListData.clear();
        CARD_SIDE_STR = QStringLiteral("1");
    }

    // The case's design on the window's card, its sources written.
    void open(SKTWindowController& controller, SKTDocument& document, const Case& c)
    {
        CARD_SIDE_STR = c.twoSided() ? QStringLiteral("2") : QStringLiteral("1");
        controller.Front_card_Prop.setCard_Side(CARD_SIDE_STR);
        for (Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop}) {
            side->setCard_Size(c.card());
            side->setCard_fill_chk(true);
            side->setCard_fill_style(QStringLiteral("S"));
            side->setCard_fill_clr(QColor(250, 248, 240));
            side->setCard_border_chk(false);
        }
        controller.SetDocumentCanvasSize(c.card());
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, c.front());
        document.replaceGraphicsOnSide(SKTDocument::BackSide, c.back());
        c.writeSources(Data_Folder_Path);
    }

    CardImage expected(const Case& c, CardSide side, int n, bool series)
    {
        OutputPictures pictures;
        const SideSnapshot made = snapshotForOutput(c.sideByHand(side, n, series), side, pictures);
        EXPECT_TRUE(made.isWhole()) << made.failure.toStdString();
        return made.image;
    }

    // The card by hand as a PDF of its own, rastered as the printed sheet is; kept for the next job.
    QImage expectedPrinted(const Case& c, CardSide side, int n, bool series, QSizeF size)
    {
        const QString key = QStringLiteral("%1-%2-%3-%4").arg(c.number()).arg(int(side)).arg(n).arg(series);
        if (!m_printed.contains(key)) {
            const QString alone = scratch.filePath(QStringLiteral("card-%1.pdf").arg(key));
            QFile cardPdf(alone);
            if (cardPdf.open(QIODevice::WriteOnly))
                cardPdf.write(expected(c, side, n, series).toPdf());
            cardPdf.close();
            m_printed.insert(key, pdfRaster(alone, QRectF(QPointF(), size)));
        }
        return m_printed.value(key);
    }

    void checkExport(const Case& c, SKTWindowController& controller, ScriptedDialogPresenter& dialogs,
                     ScriptedMessagePresenter& messages);
    void checkPrints(const Case& c, SKTWindowController& controller, ScriptedDialogPresenter& dialogs,
                     ScriptedMessagePresenter& messages);

    QTemporaryDir scratch;
    StandInPrinters printers;
    QString m_dataFolder;
    QHash<QString, QImage> m_printed;
};

QStringList refusedCards(const QString& listing)
{
    QStringList cards;
    for (const QString& line : listing.split(u'\n', Qt::SkipEmptyParts))
        cards.append(line.section(u' ', 0, 1).section(u':', 0, 0));
    return cards;
}

void OutputProperty::checkExport(const Case& c, SKTWindowController& controller, ScriptedDialogPresenter& dialogs,
                                 ScriptedMessagePresenter& messages)
{
    const QString folder = scratch.filePath(QStringLiteral("export%1").arg(c.number()));
    QDir().mkpath(folder);
    const bool series = c.usesSeries();
    bool anyWritten = false;
    for (int n = 0; n < c.records(series); ++n)
        anyWritten = anyWritten || c.refusal(n, series).isEmpty();
    QString listed;
    dialogs.queueHook([](QDialog& dialog) { static_cast<ExportSheet&>(dialog).exportOkay(); });
    dialogs.queueFolder(folder);
    if (anyWritten)
        dialogs.queueHook([&listed](QDialog& dialog) {
            auto& box = static_cast<Open_Export_Log&>(dialog);
            listed = box._open_log_details->isVisibleTo(&box) ? box._open_log_details->toPlainText() : QString();
        });
    const int shownBefore = int(messages.records().size());
    Export_Button(controller);
    for (qsizetype i = shownBefore; i < messages.records().size(); ++i)
        listed += messages.records()[i].request.details.join(u'\n');

    const QDir cards(QDir(folder).filePath("ZOVA ID Card"));
    QStringList refused;
    for (int n = 0; n < c.records(series); ++n) {
        SCOPED_TRACE(QStringLiteral("exported card %1").arg(n + 1).toStdString());
        const bool left = !c.refusal(n, series).isEmpty();
        if (left)
            refused.append(QStringLiteral("Card %1").arg(n + 1));
        for (CardSide side : {CardSide::Front, CardSide::Back}) {
            if (side == CardSide::Back && !c.twoSided())
                continue;
            const QString file = cards.filePath(
                QStringLiteral("Card_%1_%2.PNG").arg(n + 1).arg(side == CardSide::Front ? "Front" : "Back"));
            ASSERT_EQ(QFile::exists(file), !left) << c.refusal(n, series).toStdString();
            if (left)
                continue;
            const QImage written(file);
            const QImage want = expected(c, side, n, series).toImage(kDpi);
            EXPECT_EQ(differingPixels(written, want), 0);
        }
    }
    EXPECT_EQ(refusedCards(listed), refused) << listed.toStdString();
}

void OutputProperty::checkPrints(const Case& c, SKTWindowController& controller, ScriptedDialogPresenter& dialogs,
                                 ScriptedMessagePresenter& messages)
{
    // Two jobs in the same window: the series on, then off where there is a series.
    const QString first = scratch.filePath(QStringLiteral("print%1a.pdf").arg(c.number()));
    const QString second = scratch.filePath(QStringLiteral("print%1b.pdf").arg(c.number()));
    PrintSheetSettings firstSheet;
    PrintSheetSettings secondSheet;
    const bool toggled = c.usesSeries() && c.usesColumns();
    dialogs.queueHook([&](QDialog& dialog) {
        auto& window = static_cast<Print_Wnd&>(dialog);
        if (c.twoSided())
            window.findChild<QComboBox*>(QStringLiteral("print_alignment"))->setCurrentIndex(1);  // the back below, upright
        window.findChild<QSpinBox*>(QStringLiteral("Row_Text"))->setValue(2);
        window.findChild<QSpinBox*>(QStringLiteral("Col_Text"))->setValue(2);
        window.printToFile = first;
        window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        firstSheet = window.logic.settings();
        if (toggled)
            window.rangeBlock().Export_with_batch_chk->click();
        window.printToFile = second;
        window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        secondSheet = window.logic.settings();
        window.printToFile.clear();
    });
    const int shownBefore = int(messages.records().size());
    Print_Button(controller);
    QStringList reports;
    for (qsizetype i = shownBefore; i < messages.records().size(); ++i)
        reports.append(messages.records()[i].request.details.join(u'\n'));

    const bool dataRun = c.usesSeries() || c.usesColumns();
    for (int job = 0; job < 2; ++job) {
        const bool series = c.usesSeries() && !(job == 1 && toggled);
        const PrintSheetSettings& sheet = job == 0 ? firstSheet : secondSheet;
        const QString pdf = job == 0 ? first : second;
        const int records = dataRun ? c.records(series) : 4;
        const SheetGeometry geometry(sheet);
        // A second job with the same boxes prints what the first did: its words say so, and the
        // pixels of the first stand for both.
        const bool pixels = job == 0 || toggled;
        if (!pixels)
            EXPECT_EQ(pdfText(second), pdfText(first));
        QStringList refused;
        for (int n = 0; n < records && dataRun; ++n)
            if (!c.refusal(n, series).isEmpty())
                refused.append(QStringLiteral("Card %1").arg(n + 1));
        for (int n = 0; n < std::min(records, 4) && dataRun; ++n) {
            SCOPED_TRACE(QStringLiteral("job %1, cell %2").arg(job + 1).arg(n + 1).toStdString());
            const CellSides cell = geometry.cellSides(1 + n / 2, 1 + n % 2);
            QList<std::pair<CardSide, QRectF>> sides{{CardSide::Front, toPage(cell.R1, sheet.paperHeight)}};
            if (c.twoSided())
                sides.append({CardSide::Back, toPage(cell.R2, sheet.paperHeight)});
            QString words;
            for (const auto& [side, place] : sides)
                words += pdfText(pdf, place);
            if (!c.refusal(n, series).isEmpty()) {
                EXPECT_TRUE(words.contains(QStringLiteral("Invalid Data"))) << words.toStdString();
                continue;
            }
            for (const QString& token : c.tokensOf(n, series))
                EXPECT_TRUE(words.contains(token)) << token.toStdString() << " in " << words.toStdString();
            for (const QString& token : c.tokensNotOf(n))
                EXPECT_FALSE(words.contains(token)) << token.toStdString() << " in " << words.toStdString();
            if (!pixels)
                continue;
            for (const auto& [side, place] : sides) {
                const QImage got = pdfRaster(pdf, place);
                const QImage want = expectedPrinted(c, side, n, series, place.size());
                // Printed cells sit elsewhere on their page than the card on its own: the
                // rasteriser may round an edge the other way, no more.
                EXPECT_EQ(blottedPixels(got, want), 0);
            }
        }
        if (dataRun)
            EXPECT_EQ(refusedCards(reports.value(job)), refused) << reports.value(job).toStdString();
    }
}

}  // namespace

TEST_P(OutputProperty, EveryCardProducedIsItsOwnRecordsAndEveryOtherIsListed)
{
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope(messages);
    ScriptedDialogPresenter dialogs;
    for (int k = 0; k < kCasesPerShard; ++k) {
        const int number = GetParam() * kCasesPerShard + k;
        m_printed.clear();
        SCOPED_TRACE(QStringLiteral("case %1").arg(number).toStdString());
        SKTDocument document;
        SKTWindowController controller(document);
        const Case c(number, scratch.path());
        open(controller, document, c);
        checkExport(c, controller, dialogs, messages);
        checkPrints(c, controller, dialogs, messages);
        if (HasFailure())
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OutputProperty, ::testing::Range(0, kShards));
