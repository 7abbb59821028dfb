#pragma once
// A data folder of its own, scripted dialogs and answers, the links a series window takes, and a
// workbook made by openpyxl: "People" (a blank header cell, Unicode), an empty sheet, "Codes".
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/series/SeriesWindowLinks.h"

class SeriesWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(seriesFolder()));
        Data_Folder_Path = seriesFolder();
    }

    QString seriesFolder() const { return work.filePath("DataSet"); }
    QString at(const QString& name) const { return work.filePath(name); }
    QByteArray series(const QString& name) const
    {
        QFile file(QDir(seriesFolder()).filePath(name + ".txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void writeSeries(const QString& name, const QByteArray& bytes) const { writeFile(QDir(seriesFolder()).filePath(name + ".txt"), bytes); }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList seriesFiles() const { return QDir(seriesFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    // The workbook, made once per test.
    QString workbook()
    {
        const QString path = at("people.xlsx");
        const auto result = TestEnvironment::runPython(
            "import sys, openpyxl\n"
            "wb = openpyxl.Workbook()\n"
            "people = wb.active\n"
            "people.title = 'People'\n"
            "people.append(['Name', ' ', 'Photo', 'Città'])\n"
            "people.append(['Zoë', 'x1', 'zoe.png', 'Zürich'])\n"
            "people.append(['Bob', None, 'bob.png', '日本'])\n"
            "people.append(['Ann', 'x3', None, 'Oslo'])\n"
            "wb.create_sheet('Empty')\n"
            "codes = wb.create_sheet('Codes')\n"
            "codes.append(['Code'])\n"
            "codes.append(['007'])\n"
            "codes.append(['A-1'])\n"
            "wb.create_sheet('Header only').append(['Code'])\n"
            "wb.save(sys.argv[1])\n",
            {path});
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        return path;
    }

    QTemporaryDir work;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    QStringList managerValues;
    int fillLists = 0;
    QStringList inUse;
    SeriesWindowLinks links{[this](const QString& n) { return inUse.contains(n); },
                            [this](const QString& v) { managerValues.append(v); }, [this] { ++fillLists; }, {}};
};
