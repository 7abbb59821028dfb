// Visitor and group modes on the real main window: the start roads through the chooser, the side
// panels in the left pane, a group project edited row by row, saved, opened again and exported.
// On an X server the panels are pictured in test-artifacts/visitors.
#include "LiveModeRoadFixture.h"

TEST_F(LiveModeRoad, AVisitorRunShowsTheVisitorPanelsAndTypingWritesTheCard)
{
    openVisitorPass();
    EXPECT_EQ(Start_Card_Option, "V");
    EXPECT_TRUE(paneShown());
    EXPECT_EQ(Title_slogan, "Purpose :");
    EXPECT_EQ(front().textBox("Fup_Date")->text(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_TRUE(front().textBox("Fup_Date")->isReadOnly());
    // The template has no photo: the pass gets the default one.
    ASSERT_NE(frontElement("Fup_Photo"), nullptr);
    EXPECT_EQ(document.graphics().size(), 2);
    ASSERT_NO_FATAL_FAILURE(fillVisitor());
    ASSERT_NE(frontElement("Fup_Name"), nullptr);
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, "O'Brien'); DROP TABLE Visitor_Records;--");
    EXPECT_TRUE(frontElement("Fup_Name")->ctrl_is_visible);
    EXPECT_EQ(controller.canvasHostOfWindow().Get_text_box_of_visitor_mode("Fup_Company")->text(), "Harbour Logistics");
    EXPECT_EQ(front().photoPath(), scratch.filePath(QStringLiteral("visitor.png")));

    // Unchecking the shown box hides the element; a design start afterwards hides the panels.
    front().checkBox("Fup_Company")->click();
    EXPECT_FALSE(frontElement("Fup_Company")->ctrl_is_visible);
}

// A pass template's sample values are in the panels from the start, as on the card: shown or not,
// the photo, and the back's fields in the back's panel. On an X server the panel is pictured.
TEST_F(LiveModeRoad, TheVisitorPanelsStartWithWhatTheCardHolds)
{
    const QDir folder(scratch.path());
    const QString sample = visitortest::photoFile(folder, QStringLiteral("sample.png"), QColor(30, 120, 60));
    const auto sampleText = [](const char* id, const char* value, double top, bool shown) {
        GraphicPtr element = visitortest::text(QRectF(80, top, 150, 16), QLatin1String(id), 9);
        element->Set_text_value(QString::fromUtf8(value));
        element->ctrl_is_visible = shown;
        return element;
    };
    GraphicPtr photo = SKTImage::initWithPath_With_ID(QPointF(10, 10), sample, QStringLiteral("Fup_Photo"));
    visitortest::placed(photo, QRectF(10, 10, 60, 75), QStringLiteral("Fup_Photo"));
    writeTemplateFile(QStringLiteral("day pass (h)"), QStringLiteral("visitor"), QStringLiteral("Horizontal"),
                      QSizeF(242.64, 153.36),
                      {sampleText("Fup_Name", "Jane Doe", 12, true), sampleText("Fup_Company", "Acme Corp", 32, true),
                       sampleText("Fup_Website", "Front desk", 52, false), photo},
                      {sampleText("Fup_Address", "1 Quay Street", 12, true)});
    CARD_SIDE_STR = QStringLiteral("2");
    openVisitorPass();
    ASSERT_EQ(Start_Card_Option, "V");

    EXPECT_EQ(field("Fup_Name").text(), "Jane Doe");
    EXPECT_TRUE(front().checkBox("Fup_Name")->isChecked());
    EXPECT_TRUE(field("Fup_Name").isEnabled());
    EXPECT_EQ(field("Fup_Company").text(), "Acme Corp");
    // A sample the card does not show is in its box, unticked, as on the card.
    EXPECT_EQ(field("Fup_Website").text(), "Front desk");
    EXPECT_FALSE(front().checkBox("Fup_Website")->isChecked());
    EXPECT_TRUE(field("Fup_Title").text().isEmpty());
    EXPECT_EQ(field("Fup_Date").text(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_EQ(front().photoPath(), sample);
    ASSERT_FALSE(front().shownPhoto().isNull());
    EXPECT_EQ(front().shownPhoto().pixelColor(5, 5), QColor(30, 120, 60));
    EXPECT_EQ(controller.liveModes().panel(1).textBox("Fup_Address")->text(), "1 Quay Street");
    EXPECT_TRUE(controller.liveModes().panel(1).checkBox("Fup_Address")->isChecked());
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        picture(QStringLiteral("visitor-panel-at-start.png"));

    // What is typed over a sample goes onto the card as before, and the design opened again fills
    // the panels from its card.
    type("Fup_Name", QStringLiteral("Ana Souza"));
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, "Ana Souza");
    const QString saved = scratch.filePath(QStringLiteral("day pass.did"));
    dialogs.queueSaveFile(saved);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    controller.liveModes().Reset_All_Visitor_Grp_Mode_Ctrl();
    dialogs.queueOpenFile(saved);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_EQ(field("Fup_Name").text(), "Ana Souza");
    EXPECT_EQ(controller.liveModes().panel(1).textBox("Fup_Address")->text(), "1 Quay Street");
}

// The panel's camera button takes the picture into the pass's photo; a locked photo is refused.
TEST_F(LiveModeRoad, TheCameraButtonPutsThePictureTakenOnThePass)
{
    openVisitorPass();
    TakenPicture camera;
    camera.path = scratch.filePath(QStringLiteral("zova_user_save.png"));
    QImage taken(60, 80, QImage::Format_RGB32);
    taken.fill(QColor(20, 160, 90));
    ASSERT_TRUE(taken.save(camera.path));
    setPhotoWindows(&camera, nullptr, nullptr);
    front().findChild<QPushButton*>(QStringLiteral("camera_btn"))->click();
    EXPECT_EQ(camera.opened, 1);
    EXPECT_EQ(front().photoPath(), camera.path);
    EXPECT_EQ(front().shownPhoto().pixelColor(3, 3), QColor(20, 160, 90));
    ASSERT_NE(frontElement("Fup_Photo"), nullptr);
    EXPECT_EQ(frontElement("Fup_Photo")->_file_path, camera.path);

    frontElement("Fup_Photo")->ctrl_is_locked = true;
    front().findChild<QPushButton*>(QStringLiteral("camera_btn"))->click();
    EXPECT_EQ(camera.opened, 1);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nSelected control is locked.")});

    // With two pictures selected the camera does not open: the picture would have no one place.
    frontElement("Fup_Photo")->ctrl_is_locked = false;
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    canvas.insertGraphics({SKTGraphic::create(GraphicKind::Image)}, {0});
    canvas.changeSelectionIndexes({0, int(canvas.graphics().indexOf(frontElement("Fup_Photo")))});
    front().findChild<QPushButton*>(QStringLiteral("camera_btn"))->click();
    EXPECT_EQ(camera.opened, 1);
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\nPlease select only one image control to 'Select Image'."));
    setPhotoWindows(nullptr, nullptr, nullptr);
}

// A saved visitor design opens in visitor mode again, with its panels and added rows, and
// opening it twice does not double the rows.
TEST_F(LiveModeRoad, AVisitorDesignKeepsItsModeAcrossAnOpen)
{
    openVisitorPass();
    GraphicPtr blood = SKTGraphic::create(GraphicKind::Text);
    blood->control_ID = QStringLiteral("F_fieldBlood");
    blood->Set_text_value(QStringLiteral("O+"));
    blood->ctrl_is_visible = true;
    document.addInGraphics(blood);
    const QString saved = scratch.filePath(QStringLiteral("pass.did"));
    dialogs.queueSaveFile(saved);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    for (int time = 0; time < 2; ++time) {
        Start_Card_Option = QStringLiteral("L");
        dialogs.queueOpenFile(saved);
        ASSERT_TRUE(Open_Btn_Clicked(controller));
    }
    EXPECT_EQ(Start_Card_Option, "V");
    EXPECT_TRUE(paneShown());
    EXPECT_EQ(front().findChildren<QLineEdit*>("F_fieldBlood").size(), 1);
    EXPECT_EQ(front().textBox("F_fieldBlood")->text(), "O+");
    EXPECT_EQ(front().view_array_label().size(), 1);  // the caption row made for the lone field
}

// The whole group road: a 50-row workbook through the wizard, row 7 edited in the panel, saved,
// opened again with its table and the edit, and 50 cards exported, each with its own row's name.
TEST_F(LiveModeRoad, AGroupProjectIsEditedByRowSavedReopenedAndExported)
{
    ASSERT_NO_FATAL_FAILURE(startGroupProject(fiftyPeople()));
    EXPECT_EQ(Start_Card_Option, "G");
    EXPECT_TRUE(paneShown());
    EXPECT_EQ(controller.inspector().sizePanel().groupList().rowCount(), 50);
    EXPECT_EQ(controller.inspector().sizePanel().groupList().Get_Item_Text(49), "50 - Person 50");
    EXPECT_EQ(controller.liveModes().selectedRow(), 0);

    chooseColumn("Fup_Name", 1);
    chooseColumn("Fup_UniqueNo", 3);
    EXPECT_EQ(field("Fup_Name").text(), "Person 1");
    ASSERT_NE(frontElement("Fup_Name"), nullptr);
    EXPECT_EQ(frontElement("Fup_Name")->excel_col_indx, 1);
    EXPECT_EQ(frontElement("Fup_UniqueNo")->Text_Value, "001");

    clickGroupRow(7);
    EXPECT_EQ(field("Fup_Name").text(), "Person 8");
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, "Person 8");
    type("Fup_Name", QStringLiteral(" Zoë O'Brien "));
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, " Zoë O'Brien ");
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    const QString project = QDir(Created_Resource_Path).filePath(QStringLiteral("Group_Excel_Data/People.did"));
    EXPECT_EQ(Project_File_Name, project);

    // The workbook beside the project holds the edit as typed and the codes as text.
    const auto read = TestEnvironment::runPython("import sys, warnings, openpyxl\n"
                                                 "warnings.simplefilter('ignore')\n"
                                                 "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                 "rows = list(ws.iter_rows(values_only=True))\n"
                                                 "print(len(rows), repr(rows[0]), repr(rows[8]), repr(rows[9]))\n",
                                                 {LiveModePanels::projectWorkbookPath(project)});
    EXPECT_EQ(QString::fromUtf8(read.out).trimmed().toStdString(),
              "51 ('Name', 'Company', 'Code') (\" Zoë O'Brien \", 'Firm 0', '008') ('Person 9', 'Firm 1', '009')")
        << read.err.toStdString();

    // A new project opens it again as a saved design: group mode, its table, the edit and the
    // bindings.
    press("Open_Log_btn");
    dialogs.queueOpenFile(project);
    ASSERT_TRUE(New_Project(controller));
    EXPECT_EQ(Start_Card_Option, "G");
    EXPECT_TRUE(paneShown());
    ASSERT_EQ(Loaded_Data_Table().rowCount(), 50);
    EXPECT_EQ(Loaded_Data_Table().objectValue("Column1", 7), " Zoë O'Brien ");
    EXPECT_EQ(controller.inspector().sizePanel().groupList().rowCount(), 50);
    EXPECT_EQ(front().chosenColumn("Fup_Name"), 1);
    EXPECT_EQ(field("Fup_Name").text(), "Person 1");
    clickGroupRow(7);
    EXPECT_EQ(field("Fup_Name").text(), " Zoë O'Brien ");
    // The back's panel shows the same record when the back is shown.
    controller.sideCommands().Select_back_side();
    EXPECT_EQ(controller.liveModes().panel(1).textBox("Fup_Name")->text(), " Zoë O'Brien ");
    controller.sideCommands().Select_front_side();

    // A row the table does not have is refused, the panel keeps what it shows.
    EXPECT_FALSE(controller.liveModes().Set_GP_mode_Value_From_Excel("F", 50));
    EXPECT_EQ(field("Fup_Name").text(), " Zoë O'Brien ");

    QTemporaryDir out;
    const QDir cards = exportRecords(QStringLiteral("PDF"), 1, 50, out);
    ASSERT_EQ(cards.entryList({QStringLiteral("*_Front.PDF")}, QDir::Files).size(), 50);
    for (int n = 1; n <= 50; ++n) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {cards.filePath(QStringLiteral("Card_%1_Front.PDF").arg(n)), QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        const QString name = n == 8 ? QStringLiteral("Zoë O'Brien") : QStringLiteral("Person %1").arg(n);
        EXPECT_TRUE(words.contains(name)) << n << ": " << words.toStdString();
        EXPECT_TRUE(words.contains(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')))) << words.toStdString();
    }
}

// Opened from visitor mode, a group project names its fields as every card does, not as a pass.
TEST_F(LiveModeRoad, AGroupProjectOpenedFromVisitorModeShowsTheCaptionsOfItsOwnMode)
{
    ASSERT_NO_FATAL_FAILURE(startGroupProject(fiftyPeople()));
    const QString project = Project_File_Name;
    ASSERT_TRUE(QFile::exists(project));
    const auto captions = [this](int side = 0) {
        QStringList shown;
        for (const QLabel* label : controller.liveModes().panel(side).findChildren<QLabel*>())
            if (label->text().endsWith(QLatin1String(" :")))
                shown << label->text();
        shown.sort();
        return shown.join(u'|').toStdString();
    };
    const std::string general = captions();
    EXPECT_EQ(general, "Address :|Company Name :|Company Slogan :|Date :|Email Id :|Fax No. :|Name :|Phone No. :|"
                       "Position / Title :|Time :|Unique No. :|Website :");

    openVisitorPass();
    ASSERT_EQ(Start_Card_Option, "V");
    EXPECT_EQ(captions(), "Address :|Company Name :|Date :|Email Id :|Name :|Person to Meet :|Phone No. :|"
                          "Position / Title :|Purpose :|Time :|Visitor No. :|Visitor Type :");

    dialogs.queueOpenFile(project);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    ASSERT_EQ(Start_Card_Option, "G");
    EXPECT_EQ(Title_slogan, "Company Slogan :");
    EXPECT_EQ(captions(), general);
    EXPECT_EQ(captions(1), general);
}

// The title's "*" and the save question follow the project's files: Save Details clears the mark,
// and showing another record, on either side, is no edit.
TEST_F(LiveModeRoad, TheUnsavedMarkFollowsTheProjectsFilesNotTheRecordShown)
{
    ASSERT_NO_FATAL_FAILURE(startGroupProject(fiftyPeople()));
    chooseColumn("Fup_Name", 1);
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    const auto marked = [this] {
        QCoreApplication::processEvents();
        return controller.window()->isWindowModified();
    };
    ASSERT_FALSE(marked());
    const qsizetype said = messages.texts().size();

    type("Fup_Name", QStringLiteral("Zo\u00eb"));
    EXPECT_TRUE(marked());
    front().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click();
    EXPECT_EQ(Loaded_Data_Table().objectValue("Column1", 0), QStringLiteral("Zo\u00eb"));
    EXPECT_FALSE(marked());
    EXPECT_FALSE(controller.designSession().hasUnsavedChanges());

    clickGroupRow(7);
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, "Person 8");
    EXPECT_FALSE(marked());
    EXPECT_FALSE(controller.designSession().hasUnsavedChanges());
    controller.sideCommands().Select_back_side();
    controller.sideCommands().Select_front_side();
    clickGroupRow(0);
    EXPECT_FALSE(marked());
    EXPECT_FALSE(controller.designSession().hasUnsavedChanges());
    EXPECT_TRUE(messages.texts().mid(said).isEmpty()) << qPrintable(messages.texts().join(u'|'));
}

TEST_F(LiveModeRoad, RecordsAreAddedAndDeletedWithTheirMessages)
{
    ASSERT_NO_FATAL_FAILURE(startGroupProject(fiftyPeople()));
    chooseColumn("Fup_Name", 1);
    type("Fup_Name", QStringLiteral("Newcomer"));
    const qsizetype before = messages.texts().size();
    controller.liveModes().Add_In_Excel_Details_Btn_Clicked();
    ASSERT_EQ(Loaded_Data_Table().rowCount(), 51);
    EXPECT_EQ(Loaded_Data_Table().objectValue("Column1", 50), "Newcomer");
    EXPECT_EQ(Loaded_Data_Table().objectValue(Extension_Key, 50), "51");
    EXPECT_EQ(Loaded_Data_Table().objectValue("Column1", 0), "Person 1");

    messages.queueAnswers({0});  // "Yes"
    clickGroupRow(2);
    controller.liveModes().Delete_In_Excel_Details_Btn_Clicked();
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 50);
    EXPECT_EQ(Loaded_Data_Table().objectValue("Column1", 2), "Person 4");
    EXPECT_EQ(Loaded_Data_Table().objectValue(Extension_Key, 2), "4");
    EXPECT_EQ(messages.texts().mid(before), (QStringList{"\n" + kRecordAddedMessage, kDeleteRecordQuestion,
                                             "\n" + kRecordDeletedMessage}));
    DesignFileError error;
    const std::optional<DesignState> saved = readDesignFile(Project_File_Name, &error);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->rows.size(), 50);

    // A design written elsewhere (the copy onto the other side goes through a temporary file, a
    // template export names the template) leaves no workbook beside itself.
    const QString elsewhere = scratch.filePath(QStringLiteral("Elsewhere.did"));
    ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(elsewhere, false, QStringLiteral("L")));
    const QString project = Project_File_Name;
    Project_File_Name = scratch.filePath(QStringLiteral("Badge.did"));
    ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(Project_File_Name, false, QStringLiteral("T")));
    Project_File_Name = project;
    EXPECT_FALSE(QFile::exists(LiveModePanels::projectWorkbookPath(elsewhere)));
    EXPECT_FALSE(QFile::exists(scratch.filePath(QStringLiteral("Badge.xlsx"))));

    // A workbook that cannot be written is said so; the project itself is saved.
    const QString workbook = LiveModePanels::projectWorkbookPath(Project_File_Name);
    ASSERT_TRUE(QFile::remove(workbook));
    ASSERT_TRUE(QDir().mkpath(workbook));
    qsizetype failedAt = messages.texts().size();
    controller.liveModes().Add_In_Excel_Details_Btn_Clicked();
    EXPECT_EQ(messages.texts().mid(failedAt),
              (QStringList{"\n" + kWorkbookNotWrittenMessage.arg(workbook), "\n" + kRecordAddedMessage}));
    EXPECT_EQ(readDesignFile(Project_File_Name, &error)->rows.size(), 51);

    // A project that cannot be written is said so, never reported added; the record stays.
    Project_File_Name = scratch.filePath(QStringLiteral("gone/People.did"));
    failedAt = messages.texts().size();
    type("Fup_Name", QStringLiteral("Late arrival"));
    controller.liveModes().Add_In_Excel_Details_Btn_Clicked();
    EXPECT_EQ(Loaded_Data_Table().objectValue("Column1", 51), "Late arrival");
    EXPECT_EQ(messages.texts().mid(failedAt), (QStringList{"\n" + kDesignNotSavedMessage}));

    // The last record is never deleted, and nobody is asked first.
    while (Loaded_Data_Table().rowCount() > 1)
        ASSERT_EQ(GroupRecords::deleteRow(Loaded_Data_Table(), 0), GroupRecords::DeleteResult::Deleted);
    failedAt = messages.texts().size();
    controller.liveModes().Delete_In_Excel_Details_Btn_Clicked();
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 1);
    EXPECT_EQ(messages.texts().mid(failedAt), (QStringList{"\n" + kLastRecordMessage}));
}

TEST_F(LiveModeRoad, ScreenshotsOfTheVisitorPanelsAndOfAGroupProject)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    openVisitorPass();
    ASSERT_NO_FATAL_FAILURE(fillVisitor());
    picture(QStringLiteral("visitor-panels.png"));
    ASSERT_NO_FATAL_FAILURE(startGroupProject(fiftyPeople()));
    chooseColumn("Fup_Name", 1);
    chooseColumn("Fup_Company", 2);
    chooseColumn("Fup_UniqueNo", 3);
    clickGroupRow(7);
    inspector().showPage(QStringLiteral("card_size_tab"));
    picture(QStringLiteral("group-project.png"));
}
