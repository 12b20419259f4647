#pragma once

#include "core/selection.h"
#include "data/dataset.h"

#include <QString>

#include <optional>

// The committed catalogue files, as text and as the core's catalogue (values
// rounded to 32-bit where the program reads them so).
struct CatalogueFiles
{
    tarnwick::dataset::CsvTable pumps;
    tarnwick::dataset::CsvTable points;
    tarnwick::Catalogue catalogue;
};

std::optional<CatalogueFiles> loadCatalogueFiles(const QString& catalogueDir, QString* error);
