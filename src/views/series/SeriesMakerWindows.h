#pragma once
// Opening the windows that make series: the import wizard and the generator, each run modally
// with the two flags its caller sets. Values for the series being edited go to the manager.
#include <QWidget>

#include "views/series/SeriesWindowLinks.h"

// Links whose values and list refresh reach the series manager (BatchWizard_Window).
SeriesWindowLinks seriesMakerLinks(std::function<bool(const QString& name)> isInUse,
                                   std::function<bool(const QString& path)> pathProblem);

int Open_Import_Wizard(const SeriesWindowLinks& links, const SeriesWindowFlags& flags, QWidget* parent = nullptr);
int Open_Series_Generator(const SeriesWindowLinks& links, const SeriesWindowFlags& flags, QWidget* parent = nullptr);
