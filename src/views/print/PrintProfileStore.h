#pragma once
// Print profiles on disk: one property-list array of 26 strings per profile, "<name>.zvp" in the
// profile folder. Each listed profile keeps the name of its own file, so a profile whose
// extension is written in capitals is read, written and removed under that very file.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct PrintProfileEntry {
    QString name;      // the file's name without its extension, trimmed
    QString fileName;  // the file itself
};

class PrintProfileStore {
public:
    static constexpr int kItems = 26;
    static const QString kDefaultName;  // "Default"

    explicit PrintProfileStore(QString folder) : m_folder(std::move(folder)) {}

    // The profiles of the folder, by name whatever the case, extensions matched whatever the case.
    QList<PrintProfileEntry> list() const;
    // The 26 texts of a profile; nothing (reason in *error) for a missing, unreadable or short file.
    std::optional<QStringList> read(const PrintProfileEntry& entry, QString* error = nullptr) const;
    // Writes the texts whole or not at all (the old file stays when the write fails).
    bool write(const PrintProfileEntry& entry, const QStringList& items, QString* error = nullptr) const;
    void remove(const PrintProfileEntry& entry) const;

    // The entry a name is stored under: its listed file when there is one, else "<name>.zvp".
    PrintProfileEntry entryFor(const QString& name) const;
    QString pathOf(const PrintProfileEntry& entry) const;

private:
    QString m_folder;
};
