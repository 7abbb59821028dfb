#pragma once
// One check over every road in visitor and group mode: a long seeded random walk through the real
// main window over every command that can change a live card or its side panel, checking after
// each step that every panel field and every card element bound to it name one person, and that
// what Save stores, what Register logs (sqlite3), what Preview Pass draws and what export binds
// say the same. A failure names the seed, the step and every step taken before it.
//
// ZOVA_WALK_STEPS sets the steps a seed (default 300), ZOVA_WALK_SEEDS the seeds ("1,2,3"; each walks on
// from where the one before left the window), ZOVA_WALK_TRACE prints each step as taken, and
// ZOVA_WALK_LEAVE_OUT the kinds of step left out ("textlook,picture"), so that one road's fault
// can be told from another's.
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTest>
#include <functional>

#include "LiveModeRoadFixture.h"
#include "VisitorDeskFixture.h"
#include "../views/inspector/FieldTyping.h"
#include "model/SKTImage.h"
#include "model/profiles/ProfileCaptions.h"
#include "model/profiles/User_Profile_Class.h"
#include "output/RecordRun.h"
#include "data/SeriesStore.h"
#include "mainwindow/ProfileWindows.h"
#include "platform/MessagePresenter.h"
#include "platform/StringHelpers.h"
#include "views/visitors/VisitorPassPrinting.h"
#include "visitors/VisitorElementValues.h"
#include "visitors/VisitorLog.h"
#include "visitors/VisitorOtherValues.h"
#include "visitors/VisitorPass.h"
#include "visitors/VisitorRegistration.h"

namespace livewalk {

inline int walkSteps()
{
    bool number = false;
    const int steps = qEnvironmentVariableIntValue("ZOVA_WALK_STEPS", &number);
    return number && steps > 0 ? steps : 300;
}

inline QList<quint32> walkSeeds(const QList<quint32>& fallback)
{
    QList<quint32> seeds;
    for (const QString& seed : qEnvironmentVariable("ZOVA_WALK_SEEDS").split(u',', Qt::SkipEmptyParts))
        seeds << seed.trimmed().toUInt();
    return seeds.isEmpty() ? fallback : seeds;
}

inline QStringList leftOutKinds()
{
    return qEnvironmentVariable("ZOVA_WALK_LEAVE_OUT").split(u',', Qt::SkipEmptyParts);
}

// Every box answered by a button chosen at random, as a user who may say anything; what was asked
// goes into the walk's record.
class RandomAnswers : public MessagePresenter {
public:
    explicit RandomAnswers(QRandomGenerator& random) : m_random(random) {}
    int present(const MessageBoxRequest& request) override
    {
        int answer = request.buttons.size() > 1 ? int(m_random.bounded(quint32(request.buttons.size()))) : 0;
        if (request.buttons.contains(always))
            answer = int(request.buttons.indexOf(always));
        const QString text = request.text.simplified();
        asked << (request.buttons.size() > 1 ? QStringLiteral("\"%1\" -> %2").arg(text.left(60), request.buttons.value(answer))
                                             : QStringLiteral("\"%1\"").arg(text.left(60)));
        return answer;
    }
    void beep() override {}
    QStringList asked;
    QString always;  // the button pressed wherever a box has it

private:
    QRandomGenerator& m_random;
};

// The side's text and picture fields of the profile, in the record's order.
inline QStringList profileTextIds()
{
    QStringList ids;
    for (const User_Profile_Field& field : User_Profile_Fields())
        if (QLatin1String(field.valueId) != kPhotoFieldId)
            ids << QLatin1String(field.valueId);
    return ids;
}

inline const QStringList kWords{"Ana", "Zed", "Li Wei", "O'Brien", "Kofi", "Mira", "Tomas", "Yuki", "Omar", "Eva"};

enum class Mode { Visitor, Group };

class LiveCardWalk : public LiveModeRoad {
protected:
    struct StepKind {
        const char* name;
        int weight;
        bool visitor;
        bool group;
        void (LiveCardWalk::*run)();
    };

    void TearDown() override
    {
        setPhotoWindows(nullptr, nullptr, nullptr);
        visitorPassPrintToFile.clear();
        LiveModeRoad::TearDown();
    }

    // ---- Set-up --------------------------------------------------------------------------------

    void startVisitorDesk()
    {
        mode = Mode::Visitor;
        CARD_SIDE_STR = QStringLiteral("2");
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources({"Templates/visitor/visitor orange (h).did",
                                                    "Templates/employee/classic blue (h).did", "photo_placeholder.png"}));
        queueVisitorStart(QStringLiteral("Visitor orange (h)"), TemplateCatalog::kVisitorCategory, {});
        ASSERT_TRUE(Open_Start_Window(controller));
        ASSERT_EQ(Start_Card_Option, QStringLiteral("V"));
        designOpened(templateFile(QStringLiteral("visitor"), QStringLiteral("visitor orange (h)")));
    }

    void startGroupOfTwelve()
    {
        mode = Mode::Group;
        CARD_SIDE_STR = QStringLiteral("2");
        ASSERT_TRUE(QFile::remove(QDir(Resource_Path).filePath(QStringLiteral("Templates/employee/badge (h).did"))));
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources({"Templates/employee/classic blue (h).did", "photo_placeholder.png"}));
        for (int n = 1; n <= 12; ++n)
            colouredPicture(QStringLiteral("face%1.png").arg(n));
        workbook = openpyxlWorkbook(QStringLiteral("twelve.xlsx"),
                                    "ws.append(['Name', 'Title', 'Company', 'StaffID', 'Photo'])\n"
                                    "for n in range(1, 13): ws.append(['Person %d' % n, 'Title %d' % n, 'Firm %d' % (n % 3),\n"
                                    "                                  'ID%d' % (100000 + n), sys.argv[2] % n])\n",
                                    {scratch.filePath(QStringLiteral("face%d.png"))});
        ASSERT_NO_FATAL_FAILURE(startGroupProject(workbook));
        ASSERT_EQ(Start_Card_Option, QStringLiteral("G"));
        int column = 0;
        for (const char* id : {"Fup_Name", "Fup_Title", "Fup_Company", "Fup_UniqueNo", "Fup_Photo"})
            chooseColumn(id, ++column);
        designOpened(templateFile(QStringLiteral("employee"), QStringLiteral("classic blue (h)")));
    }

    QString templateFile(const QString& category, const QString& name) const
    {
        return QDir(Resource_Path).filePath(QStringLiteral("Templates/%1/%2.did").arg(category, name));
    }

    // A picture file of its own in the scratch folder, of another colour at every point (its hue
    // runs across it and its lightness down it), so that a picture cut, turned or of another file
    // shows; its path.
    QString colouredPicture(const QString& name)
    {
        const QString path = scratch.filePath(name);
        if (!QFile::exists(path)) {
            QImage picture(60, 80, QImage::Format_RGB32);
            const int hue = int(qHash(name) % 360);
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    picture.setPixelColor(x, y, QColor::fromHsv((hue + 2 * x) % 360, 220, 90 + 2 * y));
            EXPECT_TRUE(picture.save(path));
        }
        return path;
    }

    // The chooser's next run takes the visitor road on the template shown under this name in the
    // category; a profile typed in the template window's profile window first when a name is given.
    void queueVisitorStart(const QString& shown, const QString& category, const QString& profileName)
    {
        pressOnChooser("Using_Visitor_btn");
        walk().queueHook([this, shown, category, profileName](QDialog& dialog) {
            Template_Wizard* window = chooseShownTemplate(dialog, category, shown);
            if (!window)
                return;
            if (!profileName.isEmpty()) {
                walk().queueHook([this, profileName](QDialog& profile) {
                    auto* name = profile.findChild<QLineEdit*>(QStringLiteral("name_value"));
                    name->selectAll();
                    QTest::keyClicks(name, profileName);
                    profile.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
                    profileConfirmed = true;
                });
                window->findChild<QPushButton*>(QStringLiteral("User_Profile_btn"))->click();
            }
            window->OK_Click();
            templateChosen = true;
        });
    }

    void pressOnChooser(const char* button)
    {
        walk().queueHook([button](QDialog& chooser) { chooser.findChild<QPushButton*>(QLatin1String(button))->click(); });
    }

    // A file or folder of the step under way: the steps of each seed count from 1 again, and a
    // folder written by an earlier seed's step would be read as this one's.
    QString stepPath(const QString& what, const QString& suffix = QString()) const
    {
        return scratch.filePath(QStringLiteral("%1 %2-%3%4").arg(what).arg(seedWalked).arg(step).arg(suffix));
    }

    // The dialogs of the step under way: what a step queued and no window took goes with it.
    ScriptedDialogPresenter& walk() { return stepDialogs ? *stepDialogs : dialogs; }

    // ---- The walk ------------------------------------------------------------------------------

    // The walk of one seed, on from where the seed before left the window; false once it failed.
    bool walkSeed(quint32 seed)
    {
        random.seed(seed);
        seedWalked = seed;
        taken.clear();
        RandomAnswers answers(random);
        ScopedMessagePresenter answering(answers);
        this->answers = &answers;
        TakenPicture camera;
        this->camera = &camera;
        setPhotoWindows(&camera, nullptr, nullptr);
        QList<const StepKind*> kinds;
        int total = 0;
        const QStringList leftOut = leftOutKinds();
        for (const StepKind& kind : stepKinds()) {
            if ((mode == Mode::Visitor ? kind.visitor : kind.group) && !leftOut.contains(QLatin1String(kind.name)))
                kinds << &kind, total += kind.weight;
        }
        EXPECT_GT(total, 0);
        const int steps = walkSteps();
        QString difference = firstDifference();
        // The window as the seed before (or the start) left it is checked first.
        if (!difference.isEmpty())
            ADD_FAILURE() << (mode == Mode::Visitor ? "visitor" : "group") << " mode, seed " << seed
                          << ", before the first step: " << qPrintable(difference);
        for (step = 1; step <= steps && difference.isEmpty(); ++step) {
            int pick = int(random.bounded(quint32(total)));
            const StepKind* kind = kinds.first();
            for (const StepKind* candidate : kinds)
                if ((pick -= candidate->weight) < 0) {
                    kind = candidate;
                    break;
                }
            stepDialogs.reset();
            stepDialogs = std::make_unique<ScriptedDialogPresenter>();
            answers.asked.clear();
            done = QLatin1String(kind->name);
            expected.clear();
            stepDifference.clear();
            saved = registered = false;
            (this->*kind->run)();
            stepDialogs.reset();
            QCoreApplication::processEvents();
            // The picture page makes adjusted pictures in the background: the card is checked
            // once it shows them, as the user sees it a moment later.
            controller.inspector().imagePanel().finishRendering();
            if (!answers.asked.isEmpty())
                done += QStringLiteral(" [asked %1]").arg(answers.asked.join(QStringLiteral("; ")));
            taken << QStringLiteral("%1: %2").arg(step).arg(done);
            if (qEnvironmentVariableIsSet("ZOVA_WALK_TRACE"))
                qInfo("walk %u %s", seed, qPrintable(taken.last()));
            if (HasFatalFailure())
                difference = QStringLiteral("the step could not be taken");
            else
                difference = firstDifference();
            if (!difference.isEmpty()) {
                ADD_FAILURE() << (mode == Mode::Visitor ? "visitor" : "group") << " mode, seed " << seed << ", step " << step
                              << " (" << qPrintable(done) << "): " << qPrintable(difference) << "\nsteps taken:\n  "
                              << qPrintable(taken.join(QStringLiteral("\n  ")));
            }
        }
        setPhotoWindows(nullptr, nullptr, nullptr);
        this->answers = nullptr;
        this->camera = nullptr;
        return difference.isEmpty();
    }

    static const QList<StepKind>& stepKinds()
    {
        static const QList<StepKind> kinds{
            {"type", 12, true, true, &LiveCardWalk::typeInPanel},
            {"tick", 2, true, true, &LiveCardWalk::tickField},
            {"photo", 3, true, true, &LiveCardWalk::panelPhoto},
            {"select", 6, true, true, &LiveCardWalk::selectOnCanvas},
            {"textlook", 6, true, true, &LiveCardWalk::textPageControl},
            {"picture", 4, true, true, &LiveCardWalk::picturePageControl},
            {"barcode", 3, true, true, &LiveCardWalk::barcodeWindow},
            {"profile", 3, true, true, &LiveCardWalk::cardHolderProfile},
            {"undo", 5, true, true, &LiveCardWalk::undoOrRedo},
            {"side", 4, true, true, &LiveCardWalk::showASide},
            {"copy", 1, true, true, &LiveCardWalk::copyDesign},
            {"field", 1, true, true, &LiveCardWalk::addPanelField},
            {"fieldpicture", 2, true, true, &LiveCardWalk::browseFieldPicture},
            {"record", 6, false, true, &LiveCardWalk::chooseRecord},
            {"column", 4, false, true, &LiveCardWalk::chooseFieldColumn},
            {"details", 2, false, true, &LiveCardWalk::saveDetails},
            {"new", 1, true, true, &LiveCardWalk::newDesign},
            {"newprofile", 1, true, false, &LiveCardWalk::newPassWithProfile},
            {"newcard", 1, true, false, &LiveCardWalk::newCardThenVisitorDesk},
            {"open", 1, true, true, &LiveCardWalk::openDesign},
            {"save", 2, true, true, &LiveCardWalk::saveDesign},
            {"register", 3, true, false, &LiveCardWalk::registerVisitor},
            {"export", 3, true, true, &LiveCardWalk::exportStep},
            {"print", 2, true, false, &LiveCardWalk::printPassStep},
            {"previewpass", 2, true, false, &LiveCardWalk::previewPassStep},
            {"profilepreview", 3, true, true, &LiveCardWalk::profilePreview},
            {"barcodekind", 2, true, true, &LiveCardWalk::barcodeKind},
            {"picturelook", 3, true, true, &LiveCardWalk::pictureLook},
            {"addrecord", 1, false, true, &LiveCardWalk::addRecord},
            {"deleterecord", 1, false, true, &LiveCardWalk::deleteRecord},
            {"viewdata", 1, false, true, &LiveCardWalk::viewData},
            {"cutpaste", 2, true, true, &LiveCardWalk::cutAndPaste},
            {"drop", 2, true, true, &LiveCardWalk::dropPhoto},
            {"datetime", 2, true, false, &LiveCardWalk::dateAndTime},
            {"size", 1, true, true, &LiveCardWalk::cardSize},
            {"cardlook", 1, true, true, &LiveCardWalk::cardLook},
            {"reprint", 1, true, false, &LiveCardWalk::reprintLogged},
            {"backfields", 2, true, true, &LiveCardWalk::backFields},
        };
        return kinds;
    }

    // ---- What the user sees --------------------------------------------------------------------

    bool twoSided() const { return CARD_SIDE_STR == QLatin1String("2"); }
    int shownSide() const { return controller.liveModes().panel(1).isVisibleTo(controller.window()) ? 1 : 0; }
    Profile_Side_Panel& shownPanel() const { return controller.liveModes().panel(shownSide()); }
    SKTGraphicView& canvas(int side) const { return *controller.graphicView(SKTDocument::Side(side)); }
    QList<int> sides() const { return twoSided() ? QList<int>{0, 1} : QList<int>{0}; }
    template <typename T>
    T pick(const QList<T>& from)
    {
        return from.at(int(random.bounded(quint32(from.size()))));
    }
    bool chance(int percent) { return int(random.bounded(100u)) < percent; }
    QString aName() { return QStringLiteral("%1 %2").arg(pick(kWords)).arg(step); }
    // The fields added in the panel: pictures, then texts.
    static QStringList addedFieldIds(const Profile_Side_Panel& panel)
    {
        QStringList ids;
        for (const QList<ProfilePanelRow>& rows : {panel.view_array_label(), panel.view_array_value()})
            for (const ProfilePanelRow& row : rows)
                ids << row.controlId;
        return ids;
    }
    // The panel's text boxes a user can type into.
    QStringList typableFields(const Profile_Side_Panel& panel) const
    {
        QStringList ids;
        QStringList candidates = profileTextIds();
        for (int n = 1; n <= 9; ++n)
            candidates << QStringLiteral("F_field%1").arg(n);
        for (const QString& id : candidates) {
            const QLineEdit* box = panel.textBox(id);
            if (box && box->isEnabled() && !box->isReadOnly() && box->isVisibleTo(controller.window()))
                ids << id;
        }
        return ids;
    }
    // The side's canvas is the one shown: not behind the preview.
    bool canvasSeen(int side) const { return canvas(side).isVisibleTo(controller.window()); }
    void clickOn(int side, const GraphicPtr& element)
    {
        canvas_mouse::drag(canvas(side), element->bounds().center(), element->bounds().center());
    }
    GraphicList elementsOf(int side, GraphicKind kind, bool boundOnly) const
    {
        GraphicList found;
        for (const GraphicPtr& element : canvas(side).graphics())
            if (element->kind() == kind && element->ctrl_is_visible && (!boundOnly || !element->control_ID.trimmed().isEmpty()))
                found << element;
        return found;
    }
    // The one element selected on the side shown when it is of the kind; else one of the kind
    // (bound to a field when the side has such) is clicked first.
    GraphicPtr selectedOrClicked(GraphicKind kind)
    {
        const int side = shownSide();
        if (!canvasSeen(side)) {
            done += QStringLiteral(" (preview shown)");
            return nullptr;
        }
        const GraphicList selected = canvas(side).selectedGraphics();
        if (selected.size() == 1 && selected.first()->kind() == kind)
            return selected.first();
        GraphicList candidates = elementsOf(side, kind, true);
        if (candidates.isEmpty())
            candidates = elementsOf(side, kind, false);
        if (candidates.isEmpty())
            return nullptr;
        const GraphicPtr element = pick(candidates);
        clickOn(side, element);
        done += QStringLiteral(" clicked %1").arg(element->control_ID.isEmpty() ? element->Text_Value.left(16) : element->control_ID);
        const GraphicList now = canvas(side).selectedGraphics();
        return now.size() == 1 && now.first()->kind() == kind ? now.first() : nullptr;
    }
    void expectField(int side, const QString& id, const QString& value) { expected << Expected{side, id, value}; }

    // ---- Steps: the side panel -----------------------------------------------------------------

    void typeInPanel()
    {
        Profile_Side_Panel& panel = shownPanel();
        const QStringList fields = typableFields(panel);
        if (fields.isEmpty())
            return;
        const QString id = pick(fields);
        const QString text = chance(10) ? QString() : aName();
        QLineEdit& box = *panel.textBox(id);
        box.setFocus();
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Backspace);
        QTest::keyClicks(&box, text);
        done += QStringLiteral(" %1 \"%2\"").arg(id, text);
        expectField(panel.side(), id, text);
    }

    void tickField()
    {
        Profile_Side_Panel& panel = shownPanel();
        // A field added in the panel, when it has one, as often as a profile field.
        const QStringList added = addedFieldIds(panel);
        QStringList ids;
        for (const QString& id : !added.isEmpty() && chance(50) ? added : profileTextIds())
            if (QCheckBox* box = panel.checkBox(id); box && box->isEnabled() && box->isVisibleTo(controller.window()))
                ids << id;
        if (ids.isEmpty())
            return;
        const QString id = pick(ids);
        const auto symbolsShown = [this, &panel, &id] {
            QList<bool> shown;
            for (const GraphicPtr& element : canvas(panel.side()).graphics())
                if (element->kind() == GraphicKind::Barcode && element->control_ID.trimmed() == id)
                    shown << element->ctrl_is_visible;
            return shown;
        };
        const QList<bool> before = symbolsShown();
        panel.checkBox(id)->click();
        done += QStringLiteral(" %1 %2").arg(id, panel.checkBox(id)->isChecked() ? "on" : "off");
        // The tick takes the field's text or picture on and off the card; its symbols stay.
        if (symbolsShown() != before)
            stepDifference = QStringLiteral("the %1 tick took the field's symbol on or off the card").arg(id);
    }

    // Browse… or Camera… of the panel's photo.
    void panelPhoto()
    {
        Profile_Side_Panel& panel = shownPanel();
        const QString photo = colouredPicture(QStringLiteral("panel%1.png").arg(random.bounded(6)));
        if (chance(50)) {
            walk().queueOpenFile(photo);
            panel.findChild<QPushButton*>(QStringLiteral("browse_photo_btn"))->click();
            done += QStringLiteral(" browse %1").arg(QFileInfo(photo).fileName());
        } else {
            camera->path = photo;
            panel.findChild<QPushButton*>(QStringLiteral("camera_btn"))->click();
            done += QStringLiteral(" camera %1").arg(QFileInfo(photo).fileName());
        }
    }

    void addPanelField()
    {
        Profile_Side_Panel& panel = shownPanel();
        if (panel.textBox(QStringLiteral("F_field3")))
            return;
        const bool text = chance(70);
        addField(panel, text ? 0 : 1, text ? QStringLiteral("Extra %1").arg(step) : QStringLiteral("Badge %1").arg(step));
        done += text ? QStringLiteral(" text") : QStringLiteral(" picture");
    }

    // Browse… of a picture field added in the panel.
    void browseFieldPicture()
    {
        Profile_Side_Panel& panel = shownPanel();
        QList<QPushButton*> buttons;
        for (const ProfilePanelRow& row : panel.view_array_label())
            if (auto* browse = panel.findChild<QPushButton*>(row.controlId + QStringLiteral("_browse")))
                buttons << browse;
        if (buttons.isEmpty())
            return;
        QPushButton* browse = pick(buttons);
        const QString picture = colouredPicture(QStringLiteral("badge%1.png").arg(random.bounded(4)));
        walk().queueOpenFile(picture);
        browse->click();
        done += QStringLiteral(" %1 %2").arg(browse->objectName(), QFileInfo(picture).fileName());
    }

    // ---- Steps: the canvas and the inspector -----------------------------------------------------

    void selectOnCanvas()
    {
        const int side = shownSide();
        if (!canvasSeen(side)) {
            done += QStringLiteral(" (preview shown)");
            return;
        }
        GraphicList visible;
        for (const GraphicPtr& element : canvas(side).graphics())
            if (element->ctrl_is_visible)
                visible << element;
        if (visible.isEmpty())
            return;
        const GraphicPtr element = pick(visible);
        clickOn(side, element);
        done += QStringLiteral(" %1").arg(element->control_ID.isEmpty() ? element->Text_Value.left(16) : element->control_ID);
    }

    void textPageControl()
    {
        if (!selectedOrClicked(GraphicKind::Text))
            return;
        InspectorView& view = inspector();
        const auto visible = [this](QWidget& control) { return control.isVisibleTo(controller.window()) && control.isEnabled(); };
        const auto chooseOther = [&](const char* name) {
            view.showPage(QStringLiteral("text_edtng_tab"));
            auto& combo = control<QComboBox>(name);
            if (visible(combo) && combo.count() > 1)
                choose(name, (combo.currentIndex() + 1 + int(random.bounded(quint32(combo.count() - 1)))) % combo.count());
            done += QStringLiteral(" %1 %2").arg(QLatin1String(name)).arg(combo.currentIndex());
        };
        switch (random.bounded(8)) {
        case 0:
            chooseOther("Text_case_combo");
            break;
        case 1:
            chooseOther("Text_align_combo");
            break;
        case 2:
            chooseOther("Text_vert_align_combo");
            break;
        case 3: {
            view.showPage(QStringLiteral("text_edtng_tab"));
            const QColor colour = QColor::fromHsv(int(random.bounded(360u)), 200, 120);
            ::pickColour(walk(), control<ColorWell>("Text_clr"), colour);
            done += QStringLiteral(" colour %1").arg(colour.name());
            break;
        }
        case 4: {
            view.showPage(QStringLiteral("text_edtng_tab"));
            const int size = 8 + int(random.bounded(10u));
            walk().queueHook([size](QDialog& dialog) {
                static_cast<QFontDialog&>(dialog).setCurrentFont(QFontDatabase::font(QStringLiteral("DejaVu Sans"), QStringLiteral("Book"), size));
                dialog.accept();
            });
            control<QPushButton>("text_font_btn").click();
            done += QStringLiteral(" font %1").arg(size);
            break;
        }
        case 5: {
            view.showPage(QStringLiteral("text_edtng_tab"));
            auto& kern = control<QDoubleSpinBox>("Text_Kern_Stepper");
            if (visible(kern)) {
                kern.setFocus();
                typeAndEnter(kern, QString::number(random.bounded(4)));
            }
            done += QStringLiteral(" kern %1").arg(kern.value());
            break;
        }
        case 6: {
            view.showPage(QStringLiteral("text_prop_tab"));
            control<QCheckBox>("draw_shadow_chkbox").click();
            done += QStringLiteral(" shadow");
            break;
        }
        default: {
            view.showPage(QStringLiteral("text_edtng_tab"));
            auto& title = control<QPushButton>("insert_template_btn");
            if (visible(title))
                title.click();
            done += QStringLiteral(" \"%1\"%2").arg(title.text(), visible(title) ? QString() : QStringLiteral(" (not shown)"));
        }
        }
    }

    void picturePageControl()
    {
        if (!selectedOrClicked(GraphicKind::Image))
            return;
        InspectorView& view = inspector();
        view.showPage(QStringLiteral("image_tab"));
        const auto shown = [this](QWidget& control) { return control.isVisibleTo(controller.window()) && control.isEnabled(); };
        const QString picture = colouredPicture(QStringLiteral("page%1.png").arg(random.bounded(6)));
        switch (random.bounded(6)) {
        case 0:
        case 1: {
            // A source button gives the picture through the file panel or the camera.
            const bool browse = chance(50);
            auto& source = control<QPushButton>(browse ? "Manual_Image_Browse_btn" : "Open_Camera_btn");
            if (shown(source)) {
                if (browse)
                    walk().queueOpenFile(picture);
                camera->path = picture;
                source.click();
            }
            done += QStringLiteral(" %1 %2").arg(source.text(), shown(source) ? QFileInfo(picture).fileName() : QStringLiteral("(not shown)"));
            break;
        }
        case 2: {
            const char* box = pick(QList<const char*>{"Image_Gray_Scale_chk", "Image_Sepia_chk", "Image_Invert_chk", "Image_FIH_chk",
                                                      "Image_FIV_chk", "Image_border_chk"});
            if (shown(control<QCheckBox>(box)))
                control<QCheckBox>(box).click();
            done += QStringLiteral(" %1").arg(QLatin1String(box));
            break;
        }
        case 3: {
            auto& opacity = control<QDoubleSpinBox>("Trsp_slidr_val");
            if (shown(opacity)) {
                opacity.setFocus();
                typeAndEnter(opacity, QString::number(40 + random.bounded(60)));
            }
            done += QStringLiteral(" opacity %1").arg(opacity.value());
            break;
        }
        case 4: {
            auto& reset = control<QPushButton>("Image_reset_btn");
            if (shown(reset))
                reset.click();
            done += QStringLiteral(" reset");
            break;
        }
        default: {
            auto& path = control<QPlainTextEdit>("Manual_image_path");
            if (shown(path) && !path.isReadOnly()) {
                path.setFocus();
                path.selectAll();
                QTest::keyClicks(&path, picture);
                QTest::keyClick(&path, Qt::Key_Tab);
                done += QStringLiteral(" path typed %1").arg(QFileInfo(picture).fileName());
            } else {
                done += QStringLiteral(" path (not open)");
            }
        }
        }
    }

    // One symbol of the side shown, none while that side's canvas is hidden or has none.
    GraphicPtr symbolOnShownSide()
    {
        const int side = shownSide();
        const GraphicList symbols = elementsOf(side, GraphicKind::Barcode, false);
        return symbols.isEmpty() || !canvasSeen(side) ? nullptr : pick(symbols);
    }

    void barcodeWindow()
    {
        const int side = shownSide();
        const GraphicPtr symbol = symbolOnShownSide();
        if (!symbol)
            return;
        // Now and then OK on the value the window opens on, as when only a colour is changed:
        // that must be the value the card and the panel show already.
        const bool keep = chance(25);
        const QString id = symbol->control_ID.trimmed();
        const QLineEdit* field = controller.liveModes().panel(side).textBox(id);
        const QString before = field ? field->text() : QString();
        QString value = QStringLiteral("V-%1").arg(100000 + step);
        const bool ok = chance(80);
        bool opened = false;
        walk().queueHook([&](QDialog& window) {
            auto* line = window.findChild<QLineEdit*>(QStringLiteral("dataText"));
            auto* lines = window.findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"));
            if (!line || !lines)
                return;
            opened = true;
            // A 2-D kind takes its value in a box of several lines; the one-line box is hidden.
            const bool twoD = lines->isVisibleTo(&window);
            if (keep) {
                value = twoD ? lines->toPlainText() : line->text();
            } else if (twoD) {
                lines->selectAll();
                QTest::keyClicks(lines, value);
            } else {
                line->selectAll();
                QTest::keyClicks(line, value);
            }
            window.findChild<QDialogButtonBox*>()->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        canvas_mouse::doubleClick(canvas(side), symbol->bounds().center());
        done += QStringLiteral(" %1 \"%2\"%3 %4%5")
                    .arg(symbol->control_ID, value, keep ? " as opened" : "", ok ? "OK" : "Cancel",
                         opened ? "" : " (not opened)");
        if (opened && ok && mode == Mode::Visitor && isVisitorProfileValueId(id) && field)
            expectField(side, id, keep ? before.trimmed() : value);
    }

    // File -> Card Holder Profile… of the side shown: a name, a company, OK or Cancel.
    void cardHolderProfile()
    {
        const int side = shownSide();
        const QString name = aName();
        const QString company = QStringLiteral("Firm %1").arg(step);
        const bool ok = chance(70);
        bool opened = false;
        QList<std::pair<int, QString>> typed;
        QString captions;
        walk().queueHook([&](QDialog& dialog) {
            opened = true;
            Show_User_Profile& window = controller.profileWindows().sideProfileWindow();
            // It opens on what the panel shows, so that OK on a field left alone keeps it (an empty
            // cell of the records is offered as a blank).
            const QStringList ids = profileTextIds();
            for (int field = 0; field < ids.size() && stepDifference.isEmpty(); ++field) {
                const QLineEdit* box = controller.liveModes().panel(side).textBox(ids.at(field));
                const QLineEdit& value = *window.row(field).value;
                if (box && value.isEnabled() && window.valueCheck(field)->isChecked()
                    && value.text().trimmed() != box->text().trimmed())
                    stepDifference = QStringLiteral("the profile window opens on %1 \"%2\", the panel shows \"%3\"")
                                         .arg(ids.at(field), value.text(), box->text());
            }
            for (const auto& [field, text] : {std::pair<int, QString>{0, name}, {2, company}}) {
                QLineEdit& value = *window.row(field).value;
                if (!chance(60) || !value.isEnabled() || value.isReadOnly() || !window.valueCheck(field)->isChecked())
                    continue;
                value.selectAll();
                QTest::keyClicks(&value, text);
                typed << std::pair{field, text};
            }
            // Now and then a field's caption put on the card or taken off it.
            if (chance(40)) {
                const int field = int(random.bounded(quint32(profileTextIds().size())));
                if (QCheckBox* caption = window.labelCheck(field); caption->isEnabled()) {
                    caption->click();
                    captions = QStringLiteral(" caption %1 %2").arg(profileTextIds().at(field), caption->isChecked() ? "on" : "off");
                }
            }
            // Now and then the window's own Preview first, which fills the Preview tab's copies.
            if (auto* preview = dialog.findChild<QPushButton*>(QStringLiteral("preview_btn")); preview && chance(40)) {
                preview->click();
                captions += QStringLiteral(" after Preview");
            }
            dialog.findChild<QPushButton*>(QLatin1String(ok ? "ok_btn" : "cancel_btn"))->click();
        });
        action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
        done += QStringLiteral(" %1%2").arg(opened ? (ok ? "OK" : "Cancel") : "not opened", captions);
        for (const auto& [field, text] : typed) {
            const QString id = profileTextIds().at(field);
            done += QStringLiteral(" %1 \"%2\"").arg(id, text);
            // A group field shown from a column keeps the record's value.
            if (ok && (mode == Mode::Visitor || controller.liveModes().panel(side).chosenColumn(id) < 0))
                expectField(side, id, text);
        }
    }

    void undoOrRedo()
    {
        const bool undo = chance(65);
        QAction& command = action(undo ? QStringLiteral("Undo_btn") : QStringLiteral("Redo_btn"));
        done = undo ? QStringLiteral("undo") : QStringLiteral("redo");
        if (!command.isEnabled()) {
            done += QStringLiteral(" (greyed)");
            return;
        }
        command.trigger();
    }

    // Front, back or preview, by a tab over the canvas or the View menu.
    void showASide()
    {
        const int target = twoSided() ? int(random.bounded(3u)) : (chance(50) ? 0 : 2);
        if (chance(50)) {
            auto* tabs = controller.window()->findChild<QTabBar*>(QStringLiteral("side_tabs"));
            if (target < tabs->count() && tabs->isTabEnabled(target) && tabs->isVisibleTo(controller.window()))
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(target).center());
            done += QStringLiteral(" tab %1").arg(target);
        } else {
            const char* item = target == 0 ? "Front_Side_btn" : target == 1 ? "Back_Side_btn" : "Temp_Side_btn";
            if (action(QLatin1String(item)).isEnabled())
                action(QLatin1String(item)).trigger();
            done += QStringLiteral(" menu %1").arg(QLatin1String(item));
        }
    }

    void copyDesign()
    {
        if (!twoSided())
            return;
        action(QStringLiteral("Copy_Card_Design_btn")).trigger();
    }

    // ---- Steps of LiveCardWalkSteps.cpp ----------------------------------------------------------

    void profilePreview();
    void barcodeKind();
    void pictureLook();
    void addRecord();
    void deleteRecord();
    void viewData();
    void cutAndPaste();
    void dropPhoto();
    void dateAndTime();
    void cardSize();
    void cardLook();
    void reprintLogged();
    void backFields();
    // The panels' typable fields as they stand, to be expected unchanged by a step.
    void expectPanelsKept();
    // With the preview shown, the front shown again as a user does before working on the card.
    void leavePreview();

    // ---- Steps: group records ------------------------------------------------------------------

    void chooseRecord()
    {
        QTableView& list = controller.inspector().sizePanel().GroupList();
        if (chance(60)) {
            const int n = int(random.bounded(quint32(list.model()->rowCount())));
            const QModelIndex row = list.model()->index(n, 0);
            list.scrollTo(row);
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(row).center());
            done += QStringLiteral(" click %1").arg(n + 1);
        } else {
            const bool down = chance(50);
            list.setFocus();
            QTest::keyClick(&list, down ? Qt::Key_Down : Qt::Key_Up);
            done += down ? QStringLiteral(" down") : QStringLiteral(" up");
        }
    }

    void chooseFieldColumn()
    {
        Profile_Side_Panel& panel = shownPanel();
        const QString id = pick(profileTextIds() << kPhotoFieldId);
        const QString name = id == kPhotoFieldId ? QStringLiteral("photo_column_box") : id + QStringLiteral("_col");
        auto* box = panel.findChild<QComboBox*>(name);
        if (!box || !box->isVisibleTo(controller.window()))
            return;
        // Only what the list offers: the project's own photo columns are kept in it unlisted.
        QList<int> offered;
        for (int item = 0; item < box->count(); ++item)
            if (box->model()->flags(box->model()->index(item, 0)) & Qt::ItemIsEnabled)
                offered << item;
        const int column = pick(offered);
        const int other = 1 - panel.side();
        const int before = twoSided() ? controller.liveModes().panel(other).chosenColumn(id) : -1;
        box->setCurrentIndex(column);
        Q_EMIT box->activated(column);
        done += QStringLiteral(" %1 %2").arg(id, box->currentText());
        if (twoSided())
            stepDifference = otherSideOnChosenRecord(other, id, before);
    }

    // The field a column was chosen for on one side follows it on the other at once, with the
    // record chosen, though that side is not shown.
    QString otherSideOnChosenRecord(int side, const QString& id, int columnBefore) const
    {
        const Profile_Side_Panel& panel = controller.liveModes().panel(side);
        const int column = panel.chosenColumn(id);
        const GraphicPtr element = canvas(side).Selcect_Ctrl_With_ID(id);
        const int row = controller.liveModes().selectedRow();
        if (column < 1 || column == columnBefore || !element || element->kind() != GraphicKind::Text || row < 0
            || row >= Loaded_Data_Table().rowCount())
            return {};
        const QString want = Loaded_Data_Table().objectValue(Column_Key_For_Index(column), row);
        const QLineEdit* box = panel.textBox(id);
        if (element->Text_Value == want && (!box || box->text() == want))
            return {};
        return QStringLiteral("the %1 card not shown has %2 \"%3\" and its panel \"%4\" while record %5 is chosen (its \"%6\")")
            .arg(side ? "back" : "front", id, element->Text_Value, box ? box->text() : QString())
            .arg(row + 1)
            .arg(want);
    }

    void saveDetails()
    {
        const qsizetype asked = answers->asked.size();
        // What the panel shows as the button is pressed is what the record must hold: the panel
        // shown again from a record saved wrongly would agree with it.
        const int side = shownSide();
        const QMap<QString, QString> pressed = boundPanelValues(side);
        shownPanel().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click();
        detailsReadBack(side, asked, pressed);
    }

    // ---- Steps: the design as a whole ------------------------------------------------------------

    void newDesign()
    {
        if (mode == Mode::Visitor) {
            newPass({});
            return;
        }
        const QString project = QStringLiteral("People %1").arg(step);
        pressOnChooser("Using_Group_Batch_btn");
        bool started = false;
        walk().queueHook([&](QDialog& dialog) {
            auto* wizard = qobject_cast<Group_Mode_Wizard*>(&dialog);
            ASSERT_NE(wizard, nullptr);
            wizard->browser().chooseRow(0);
            walk().queueOpenFile(workbook);
            wizard->findChild<QPushButton*>(QStringLiteral("Select_Excel_btn"))->click();
            wizard->findChild<QLineEdit*>(QStringLiteral("Project_Name_Text"))->setText(project);
            wizard->OK_Click();
            started = true;
        });
        action(QStringLiteral("New_Btn_Clicked")).trigger();
        done += QStringLiteral(" \"%1\"%2").arg(project, started ? "" : " (not started)");
        if (started)
            designOpened(templateFile(QStringLiteral("employee"), QStringLiteral("classic blue (h)")));
    }

    // File -> New on the visitor road, on either template: with a holder's name typed in the
    // template window's profile window when one is given.
    void newPass(const QString& profileName)
    {
        const bool orange = chance(60);
        queueVisitorStart(orange ? QStringLiteral("Visitor orange (h)") : QStringLiteral("Classic blue (h)"),
                          orange ? TemplateCatalog::kVisitorCategory : QStringLiteral("Employee"), profileName);
        profileConfirmed = templateChosen = false;
        action(QStringLiteral("New_Btn_Clicked")).trigger();
        done += QStringLiteral(" %1%2").arg(orange ? "Visitor orange (h)" : "Classic blue (h)",
                                           profileName.isEmpty() ? QString() : QStringLiteral(" profile \"%1\"").arg(profileName));
        if (templateChosen) {
            designOpened(templateFile(orange ? QStringLiteral("visitor") : QStringLiteral("employee"),
                                      orange ? QStringLiteral("visitor orange (h)") : QStringLiteral("classic blue (h)")));
            if (profileConfirmed)
                expectField(0, QStringLiteral("Fup_Name"), profileName);
        }
    }

    void newPassWithProfile() { newPass(aName()); }

    // File -> New on the template road: Classic blue (h) as an ID card with a holder's name given
    // in the template window, checked at once; then the visitor desk again, as it started.
    void newCardThenVisitorDesk()
    {
        const QString profileName = aName();
        pressOnChooser("Using_Template_btn");
        templateChosen = false;
        walk().queueHook([this, profileName](QDialog& dialog) {
            Template_Wizard* window = chooseShownTemplate(dialog, QStringLiteral("Employee"), QStringLiteral("Classic blue (h)"));
            if (!window)
                return;
            walk().queueHook([profileName](QDialog& profile) {
                QTest::keyClicks(profile.findChild<QLineEdit*>(QStringLiteral("name_value")), profileName);
                profile.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
            });
            window->findChild<QPushButton*>(QStringLiteral("User_Profile_btn"))->click();
            window->OK_Click();
            templateChosen = true;
        });
        action(QStringLiteral("New_Btn_Clicked")).trigger();
        done += QStringLiteral(" ID card Classic blue (h) profile \"%1\"%2").arg(profileName, templateChosen ? "" : " (not started)");
        if (!templateChosen)
            return;
        designOpened(templateFile(QStringLiteral("employee"), QStringLiteral("classic blue (h)")));
        for (int side : sides()) {
            if (stepDifference.isEmpty())
                stepDifference = foreignCaption(side);
        }
        // Back to the desk; the card is left unsaved.
        answers->always = QStringLiteral("No");
        queueVisitorStart(QStringLiteral("Visitor orange (h)"), TemplateCatalog::kVisitorCategory, {});
        action(QStringLiteral("New_Btn_Clicked")).trigger();
        answers->always.clear();
        done += QStringLiteral(", then the desk");
        if (Start_Card_Option != QLatin1String("V")) {
            ADD_FAILURE() << "the visitor desk did not come back";
            return;
        }
        designOpened(templateFile(QStringLiteral("visitor"), QStringLiteral("visitor orange (h)")));
    }

    void openDesign()
    {
        QStringList designs = savedDesigns;
        if (designs.isEmpty())
            return;
        const QString design = pick(designs);
        walk().queueOpenFile(design);
        const bool opened = Open_Btn_Clicked(controller);
        done += QStringLiteral(" %1%2").arg(QFileInfo(design).fileName(), opened ? "" : " (not opened)");
        if (opened)
            designOpened(design);
    }

    void saveDesign()
    {
        const bool saveAs = mode == Mode::Visitor && (Trim_Str(Project_File_Name).isEmpty() || chance(30));
        if (saveAs)
            walk().queueSaveFile(stepPath(QStringLiteral("walk"), QStringLiteral(".did")));
        saved = saveAs ? SaveAs_Btn_Clicked(controller) : Save_Btn_Clicked(controller);
        done += QStringLiteral(" %1%2").arg(saveAs ? "as " + QFileInfo(Project_File_Name).fileName() : QString(),
                                            saved ? "" : " (not saved)");
        if (saved && !savedDesigns.contains(Project_File_Name))
            savedDesigns << Project_File_Name;
    }

    void registerVisitor()
    {
        const QString before = logged("count(*)");
        shownPanel().findChild<QPushButton*>(QStringLiteral("register_visitor_btn"))->click();
        registered = logged("count(*)") != before;
        done += registered ? QString() : QStringLiteral(" (refused)");
    }

    // ---- The check ---------------------------------------------------------------------------------

    // A design of this file is shown: its own captions, and those the profile gives any design of
    // its mode, are the ones it may show; those of the designs before it are another design's.
    void designOpened(const QString& file)
    {
        foreignCaptions.unite(ownCaptions);
        ownCaptions.clear();
        const QStringList captioned = profileTextIds() << QStringLiteral("Fup_Date") << QStringLiteral("Fup_Time");
        for (const QString& id : captioned)
            ownCaptions << Profile_Field_Caption(id);
        DesignFileError error;
        if (const std::optional<DesignState> design = readDesignFile(file, &error)) {
            for (const GraphicList* side : {&design->frontElements, &design->backElements})
                for (const GraphicPtr& element : *side)
                    if (element->control_ID.contains(QLatin1String("_lbl_")))
                        ownCaptions << element->Text_Value;
        }
        foreignCaptions.subtract(ownCaptions);
    }

    static QString logged(const char* columns)
    {
        return QString::fromUtf8(TestEnvironment::run(QStringLiteral("sqlite3"),
                                                      {QStringLiteral("-separator"), QStringLiteral("\x1f"), VisitorLog::livePath(),
                                                       QStringLiteral("SELECT %1 FROM Visitor_Records ORDER BY S_No DESC LIMIT 1")
                                                           .arg(QLatin1String(columns))})
                                     .out)
            .trimmed();
    }

    // The visitor the front panel holds, as Register and Preview Pass read it.
    VisitorRecord visitorOfFrontPanel() const
    {
        const Profile_Side_Panel& front = controller.liveModes().panel(0);
        // A picture field's value is the picture its element shows.
        const SKTGraphicView& card = canvas(0);
        return visitorFromFields(
            [&front, &card](const QString& id) {
                const QLineEdit* field = front.textBox(id);
                const GraphicPtr picture = field ? nullptr : card.Selcect_Ctrl_With_ID(id);
                return field ? field->text() : picture && picture->kind() == GraphicKind::Image ? picture->_file_path : QString();
            },
            QDateTime::currentDateTime(), visitorOtherFields(controller.Get_Front_Controls_Array()));
    }

    static QString shown(const GraphicPtr& element)
    {
        if (element->kind() == GraphicKind::Barcode)
            return element->barcode.shownValue().trimmed();
        if (element->kind() == GraphicKind::Image)
            return element->_file_path;
        return element->Text_Value;
    }

    // The first way in which the panels, the card and what is saved, logged, drawn or bound for
    // output name different people; empty when they name one.
    QString firstDifference() const
    {
        if (!stepDifference.isEmpty())
            return stepDifference;
        for (int side : sides()) {
            if (QString difference = foreignCaption(side); !difference.isEmpty())
                return difference;
        }
        for (const Expected& want : expected) {
            const QLineEdit* box = controller.liveModes().panel(want.side).textBox(want.id);
            if (!box || box->text() != want.value)
                return QStringLiteral("the %1 panel's %2 shows \"%3\", not \"%4\" as the step gave it")
                    .arg(want.side ? "back" : "front", want.id, box ? box->text() : QStringLiteral("(no field)"), want.value);
        }
        for (int side : sides()) {
            if (QString difference = panelAgainstCard(side); !difference.isEmpty())
                return difference;
        }
        if (QString difference = seenDifference(); !difference.isEmpty())
            return difference;
        if (saved)
            if (QString difference = savedAgainstCard(); !difference.isEmpty())
                return difference;
        if (mode == Mode::Visitor) {
            if (registered) {
                if (QString difference = logAgainstPanel(); !difference.isEmpty())
                    return difference;
                if (QString difference = logAgainstCard(); !difference.isEmpty())
                    return difference;
            }
            if (QString difference = passAgainstPanel(); !difference.isEmpty())
                return difference;
        } else if (QString difference = exportAgainstCard(); !difference.isEmpty()) {
            return difference;
        }
        return {};
    }

    // A caption another design showed, on a card of this one.
    QString foreignCaption(int side) const
    {
        for (const GraphicPtr& element : canvas(side).graphics()) {
            const QString id = element->control_ID.trimmed();
            if (element->kind() == GraphicKind::Text && id.contains(QLatin1String("_lbl_")) && element->ctrl_is_visible
                && foreignCaptions.contains(element->Text_Value))
                return QStringLiteral("the %1 card's caption %2 shows \"%3\", a caption of another design")
                    .arg(side ? "back" : "front", id, element->Text_Value);
        }
        return {};
    }

    QString panelAgainstCard(int side) const
    {
        const Profile_Side_Panel& panel = controller.liveModes().panel(side);
        const QString where = side ? QStringLiteral("back") : QStringLiteral("front");
        for (const GraphicPtr& element : canvas(side).graphics()) {
            const QString id = element->control_ID.trimmed();
            if (id.isEmpty())
                continue;
            if (id == kPhotoFieldId && element->kind() == GraphicKind::Image) {
                if (!samePhoto(panel.photoPath(), element->_file_path))
                    return QStringLiteral("the %1 panel's photo is \"%2\", the card's \"%3\"").arg(where, panel.photoPath(), element->_file_path);
                continue;
            }
            if (element->kind() == GraphicKind::Image) {
                if (QString difference = pictureRowAgainstCard(panel, *element); !difference.isEmpty())
                    return where + QStringLiteral(" panel's ") + difference;
                continue;
            }
            const QLineEdit* box = panel.textBox(id);
            if (!box || id == kPhotoFieldId)
                continue;
            if (element->kind() == GraphicKind::Text && element->Text_Value != box->text())
                return QStringLiteral("the %1 panel's %2 shows \"%3\", the card's text \"%4\"")
                    .arg(where, id, box->text(), element->Text_Value);
            if (element->kind() == GraphicKind::Barcode && mode == Mode::Visitor && isVisitorProfileValueId(id)
                && !drawsValue(element, box->text()))
                return QStringLiteral("the %1 panel's %2 shows \"%3\", the card's symbol does not (its value \"%4\")")
                    .arg(where, id, box->text(), element->barcode.shownValue());
        }
        return {};
    }

    // A picture field added in the panel shows in its row what the card shows: the element's
    // picture, or the no-picture picture while it has none.
    QString pictureRowAgainstCard(const Profile_Side_Panel& panel, const SKTGraphic& element) const
    {
        const auto* row = qobject_cast<const QLabel*>(panel.Get_Dynamic_Photo_Ctrl(element.control_ID.trimmed()));
        if (!row)
            return {};
        const QImage own(element._file_path);
        QLabel expected;
        expected.setFixedSize(row->size());
        Profile_Side_Panel::showPicture(&expected, own.isNull() ? controller.canvasHostOfWindow().no_image_ctrl_GP() : own);
        if (row->pixmap().toImage() == expected.pixmap().toImage())
            return {};
        return QStringLiteral("row %1 does not show the card's picture \"%2\"").arg(element.control_ID, element._file_path);
    }

    // Whether the symbol's bars are those of the value.
    static bool drawsValue(const GraphicPtr& symbol, const QString& value)
    {
        const GraphicList copy = DesignSnapshot::copiesOf({symbol});
        Bind_Barcode_Value(*copy.first(), value.trimmed());
        return copy.first()->_barcode_image == symbol->_barcode_image;
    }

    // The program's placeholder and no picture are one to the panel.
    static bool samePhoto(const QString& panel, const QString& card)
    {
        const auto none = [](const QString& path) {
            return path.isEmpty() || QFileInfo(path).fileName() == QLatin1String("photo_placeholder.png");
        };
        return panel == card || (none(panel) && none(card));
    }

    // What the design file just written holds of every bound element, side by side with the card.
    QString savedAgainstCard() const
    {
        DesignFileError error;
        const std::optional<DesignState> design = readDesignFile(Project_File_Name, &error);
        if (!design)
            return QStringLiteral("the saved design \"%1\" cannot be read").arg(Project_File_Name);
        for (int side : sides()) {
            const GraphicList& stored = side ? design->backElements : design->frontElements;
            QStringList inFile, onCard;
            // A symbol's bars are drawn again from its panel field when the design is read.
            const auto entry = [](const GraphicPtr& element) {
                return element->control_ID + u'='
                       + (element->kind() == GraphicKind::Image && samePhoto(element->_file_path, {}) ? QString() : shown(element));
            };
            for (const GraphicPtr& element : stored)
                if (!element->control_ID.trimmed().isEmpty() && element->kind() != GraphicKind::Barcode)
                    inFile << entry(element);
            for (const GraphicPtr& element : canvas(side).graphics())
                if (!element->control_ID.trimmed().isEmpty() && element->kind() != GraphicKind::Barcode)
                    onCard << entry(element);
            if (inFile != onCard)
                return QStringLiteral("the saved %1 holds %2; the card shows %3")
                    .arg(side ? "back" : "front", inFile.join(u'|'), onCard.join(u'|'));
        }
        return {};
    }

    // The log's newest row against the visitor in the front panel, the date and time aside.
    QString logAgainstPanel() const
    {
        const QStringList row =
            logged("Photo_Path, Name, Company_Name, Address, Phone, Email, Purpose, Person_to_Meet, Visitor_No, Other").split(u'\x1f');
        const QStringList panel = visitorOfFrontPanel().fields().mid(1);
        if (row != panel)
            return QStringLiteral("the log keeps %1; the panel holds %2").arg(row.join(u'|'), panel.join(u'|'));
        return {};
    }

    // Preview Pass draws the front with the panel's visitor; a pass printed again from the log
    // draws the visitor's values: each field the same either way.
    QString passAgainstPanel() const
    {
        const VisitorRecord visitor = visitorOfFrontPanel();
        QString why;
        const GraphicList desk = visitorPassElements(controller.Get_Front_Controls_Array(), visitor, &why, PassValues::Shown);
        const GraphicList fromLog = visitorPassElements(controller.Get_Front_Controls_Array(), visitor, &why, PassValues::Logged);
        for (qsizetype n = 0; n < desk.size() && n < fromLog.size(); ++n) {
            const QString id = desk.at(n)->control_ID.trimmed();
            if (id.isEmpty() || id == QLatin1String(kVisitDateId) || id == QLatin1String("Fup_Time") || id.contains(QLatin1String("_lbl_")))
                continue;
            if (desk.at(n)->kind() == GraphicKind::Image ? !samePhoto(shown(desk.at(n)), shown(fromLog.at(n)))
                                                         : shown(desk.at(n)) != shown(fromLog.at(n)))
                return QStringLiteral("Preview Pass draws %1 as \"%2\", the visitor's pass from the log as \"%3\"")
                    .arg(id, shown(desk.at(n)), shown(fromLog.at(n)));
        }
        return {};
    }

    // With nothing typed over the record shown, export binds onto each side what the card shows.
    QString exportAgainstCard() const
    {
        const Data_From_Excel& table = Loaded_Data_Table();
        const int row = controller.liveModes().selectedRow();
        if (row < 0 || row >= table.rowCount())
            return {};
        for (int side : sides()) {
            const Profile_Side_Panel& panel = controller.liveModes().panel(side);
            for (const QString& id : profileTextIds()) {
                const int column = panel.chosenColumn(id);
                const QLineEdit* box = panel.textBox(id);
                if (column >= 1 && box && box->text() != table.objectValue(Column_Key_For_Index(column), row))
                    return {};  // typing not yet saved: export gives the stored record
            }
        }
        // The side not shown takes the record when it is shown.
        const SeriesStore store;
        RecordRun run(controller.document(), store, table, twoSided());
        for (int side : {shownSide()}) {
            QString refusal;
            const GraphicList bound = run.recordOnCopies(row, side ? CardSide::Back : CardSide::Front, &refusal);
            if (bound.isEmpty())
                continue;
            const GraphicList& card = canvas(side).graphics();
            for (qsizetype n = 0; n < bound.size() && n < card.size(); ++n) {
                if (card.at(n)->control_ID.trimmed().isEmpty() || card.at(n)->kind() != GraphicKind::Text)
                    continue;
                if (shown(bound.at(n)) != shown(card.at(n)))
                    return QStringLiteral("export binds record %1's %2 on the %3 as \"%4\"; the card shows \"%5\"")
                        .arg(row + 1)
                        .arg(card.at(n)->control_ID, side ? "back" : "front", shown(bound.at(n)), shown(card.at(n)));
            }
        }
        return {};
    }

    // ---- What is seen and what leaves the program (LiveCardWalkChecks.cpp) ----
    // After every step: the text each card draws against its panel, the ticks against what the
    // cards draw, the photo boxes, the records the group panels show, one visitor on both sides
    // and the Preview tab against the side it stands for.
    QString seenDifference() const;
    QString drawnAgainstPanel(int side) const;
    QString ticksAgainstCard(int side) const;
    QString photoBoxAgainstCard(int side) const;
    QString panelOnChosenRecord(int side) const;
    QString sidesNameOneVisitor() const;
    QString previewAgainstEditedSide() const;
    // The log's newest row against the front card as drawn.
    VisitorRecord visitorOfFrontCard() const;
    QString logAgainstCard() const;
    // Steps that send the card out and read what came out.
    void exportStep();
    QPushButton* passButton(const char* name) const;
    void printPassStep();
    void previewPassStep();
    QString passAgainstCard(const QString& pdf, const char* how) const;
    QString symbolsOnLoggedPass(const QString& pdf, const VisitorRecord& visitor) const;
    QString refusal(const QString& pdf, qsizetype askedBefore, const QString& reason) const;
    QString passRefusal() const;
    // A pass differing from the front card's drawing in more than one pixel in this many is
    // another pass: a name left off differs in ten times as many.
    static constexpr int kPassDifferenceShare = 2000;
    // The same for the Preview tab against the side's drawing.
    static constexpr int kPreviewDifferenceShare = 500;
    QString exportedAgainstCard(int side, const QString& pdf) const;
    static bool readableSymbol(const SKTGraphic& symbol);
    // Save Details: the record read back from the project's workbook (openpyxl).
    void detailsReadBack(int side, qsizetype askedBefore, const QMap<QString, QString>& pressed);
    QString detailsAgainstWorkbook(const QMap<QString, QString>& pressed) const;
    // The side panel's fields shown from a column, by identifier: what they show.
    QMap<QString, QString> boundPanelValues(int side) const;
    StandInPrinters printers;

    struct Expected {
        int side;
        QString id;
        QString value;
    };

    Mode mode = Mode::Visitor;
    QRandomGenerator random;
    quint32 seedWalked = 0;
    int step = 0;
    QString done;
    QStringList taken;
    QList<Expected> expected;
    QString stepDifference;  // what the step found on a design it left again
    bool saved = false;
    bool registered = false;
    bool profileConfirmed = false;
    bool templateChosen = false;
    QStringList savedDesigns;
    QSet<QString> ownCaptions, foreignCaptions;
    QString workbook;
    RandomAnswers* answers = nullptr;
    TakenPicture* camera = nullptr;
    std::unique_ptr<ScriptedDialogPresenter> stepDialogs;
};

}  // namespace livewalk

