#pragma once
// The barcode settings window: a barcode element's symbology, value and data source, header and
// footer, fonts, colours, margins, sizes, 2-D parameters and resolution, with a preview made
// again after every change.
//
// The window edits a copy of the element: each control writes its setting into the copy at once,
// OK hands the copy back with its picture in Barcode_output_image, and Cancel drops it, leaving
// the element and Barcode_output_image as they were. The settings are plain data in that copy;
// the preview comes from the barcode factory, called with the copy on the GUI thread, so the
// factory never reads a widget and a factory call on any other thread never reaches the window.
#include <QImage>
#include <QString>
#include <memory>

#include "model/BarcodePicture.h"
#include "platform/Units.h"
#include "views/barcodes/BarcodeWindow.h"
#include "views/barcodes/BarcodeWindowCanvas.h"

class BarcodeSettingsView;
class QAbstractButton;
class CheckedDoubleSpinBox;
class CheckedSpinBox;
class ColorWell;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Header and footer texts hold at most this many characters once they are typed.
inline constexpr int kBarcodeCaptionLength = 50;

inline const QString kEnterBarcodeValueMessage = QStringLiteral("Please enter barcode value");
inline const QString kInvalidBarcodeValueMessage = QStringLiteral("Invalid barcode value.");
inline const QString kSelectSeriesOrColumnMessage = QStringLiteral("Please select valid Series / Excel Column.");

// The captions of the bar height and bar width and the title of the margins box: on the 2-D page
// without a unit (and the box's title as it was, empty here), on the linear page in the barcode
// unit (0 inch, 1 centimetre, any other millimetre).
struct BarcodeUnitCaptions {
    QString barHeight;
    QString barWidth;
    QString margins;
};
BarcodeUnitCaptions barcodeUnitCaptions(bool twoDimensional, int unit);

class Barcode_Gen : public BarcodeWindow {
public:
    // The window's controls are laid out at once; `parent` is the window it is shown over.
    explicit Barcode_Gen(QWidget* parent = nullptr);
    ~Barcode_Gen() override;

    // Loads a copy of the element, previews it and runs the window modally through the dialog
    // seam. OK: the copy with every setting written, its picture in Barcode_output_image.
    // Cancel: null, Barcode_output_image untouched, the element the side's current one again.
    GraphicPtr Open_Wnd(const SKTGraphic& element) override;

    // The card the window redraws and reselects on; not owned.
    void setCanvas(BarcodeWindowCanvas* canvas) { m_canvas = canvas; }

    BarcodeSettingsView& view() const { return *m_view; }
    // The copy under edit; null before the first opening.
    const SKTGraphic* copyUnderEdit() const { return m_copy.get(); }
    // The picture the preview shows; null while it is blank.
    const BarcodePicture& previewPicture() const { return m_picture; }
    bool isTwoDimensional() const;

    // ---- The buttons --------------------------------------------------------------------------
    // Ends the run when the value passes the check and there is a picture; otherwise says why.
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();

    // ---- Symbology, value, data source ------------------------------------------------------
    void barcodeTypeChanged();
    // The linear or the 2-D page: their controls, the box of the 2-D symbology, the DPI tab.
    void Liner_Barcode_Opt_Select();
    void two_d_barcode_Opt_Select();
    void Data_source_type_Changed();
    void Batch_Series_Changed();
    void View_batch_Series_Button();
    // The preview made again from the copy; blank while the value fails the check.
    void goButtonActionPerformed();
    // The value of the page shown: not blank, 7-bit ASCII, and a series or column chosen when
    // bound. A failure blanks the preview and, when asked, says why; the blank preview names a
    // series or column still to be chosen.
    bool Check_And_Validat_Barcode(bool show_msg);
    void Set_Blank_Image();

    // ---- Layout controls ----------------------------------------------------------------------
    // The QR Code size is at least the version's module count.
    void Check_And_Set_QR_size_Acc_Version(int versionIndex);
    // The Data Matrix width and height show the chosen size at the module size.
    void data_matrix_barcode_size_acc_format();
    void Transparent_Bkngd_Clicked();
    // Whether the value is printed; the value-on-top box is usable only then.
    bool Get_Print_State();
    // The unit captions of the page shown, in BARCODE_Unit_Is.
    void _setLabels();

    // The unit of the bar height and margins fields: 0 inch, 1 centimetre, 2 millimetre. Every
    // load sets millimetres, the unit the barcode factory reads them in.
    int BARCODE_Unit_Is = kUnitMillimetre;

private:
    // Visitor mode: the value is typed, never bound to a series or a column.
    static bool isVisitorMode();
    BarcodeSettings& settings();
    QString currentValue() const;
    // Manual, or a series or column entry chosen.
    bool seriesOrColumnChosen() const;
    // Usable for the linear symbologies but UPC and EAN; the 2-D ones leave it as it was.
    void enableKerningBox();
    // For a Data Matrix made of the value: the width and height fields show its symbol's size, and
    // the note says when it could not use its encoding and is plain ASCII.
    void showDataMatrixFacts(const QString& value);
    void showDataMatrixSize(int columns, int rows);
    // The PDF417 view shows the symbol alone while PDF417 is chosen: grey without a value.
    void showPdf417Symbol(const QString& value);
    // Set_Barcode_Prop_To_Control: the copy and every control from the element.
    void loadElement(const SKTGraphic& element);
    void loadNumbers(const BarcodeSettings& s);
    void loadLooks(const BarcodeSettings& s);
    void rebuildDataSourceList();
    void showPage(bool twoDimensional);
    void setValueFields(const QString& value);
    void writeDataSourceOnOk();
    // The copy's background: clear when transparent, else white for 2-D and the background
    // colour for linear symbols.
    void applyFill(bool transparent);

    void connectContent();
    void connectLayout();
    void connectNumber(CheckedDoubleSpinBox& field, float BarcodeSettings::*member);
    void connectNumber(CheckedSpinBox& field, qint32 BarcodeSettings::*member);
    void connectCombo(QComboBox& combo, qint32 BarcodeSettings::*member);
    void connectColor(ColorWell& well, QColor BarcodeSettings::*member);
    void connectFont(QPushButton& button, QLabel& caption, CardFont BarcodeSettings::*member);
    void connectHelp(QAbstractButton& button, const QString& title, const QString& text);
    void headerOrFooterEdited(QLineEdit& field, QString BarcodeSettings::*member);
    void chooseResolution();
    void customResolutionTyped(int dpi);

    std::unique_ptr<BarcodeSettingsView> m_view;
    GraphicPtr m_copy;
    BarcodePicture m_picture;
    BarcodeWindowCanvas* m_canvas = nullptr;
};
