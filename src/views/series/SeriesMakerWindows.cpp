#include "views/series/SeriesMakerWindows.h"

#include "views/series/BatchWizard.h"
#include "views/series/Generate_List.h"
#include "views/series/Import_Wizard.h"

SeriesWindowLinks seriesMakerLinks(std::function<bool(const QString& name)> isInUse,
                                   std::function<bool(const QString& path)> pathProblem)
{
    return {std::move(isInUse), [](const QString& value) { BatchWizard::defaultInstance().Create_Value_List(value); },
            [] { BatchWizard::defaultInstance().Fill_List(); }, std::move(pathProblem)};
}

int Open_Import_Wizard(const SeriesWindowLinks& links, const SeriesWindowFlags& flags, QWidget* parent)
{
    Import_Wizard wizard(links, parent);
    wizard.flags = flags;
    return wizard.Open_Wnd();
}

int Open_Series_Generator(const SeriesWindowLinks& links, const SeriesWindowFlags& flags, QWidget* parent)
{
    Generate_List generator(links, parent);
    generator.flags = flags;
    return generator.Open_Wnd();
}
