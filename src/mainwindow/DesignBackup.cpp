#include "mainwindow/DesignBackup.h"

void DesignBackup::Create_Design_Backup_Array(const SKTDocument& document)
{
    m_snapshot = DesignSnapshot::take(document);
}

bool DesignBackup::Create_Card_Design_Again(SKTDocument& document) const
{
    return m_snapshot.restore(document);
}
