#pragma once
// The radio models the installed Hamlib knows, as "rigctl -l" lists them (run by
// rig/model_list_loader.h), and the search of the set-up window over them.

#include "base/error.h"

#include <QList>
#include <QString>

namespace vireo::rig {

struct HamlibModel {
    int id = 0;
    QString maker; // "Icom"
    QString model; // "IC-7300"
    QString version; // backend version
    QString status; // "Stable", "Beta", "Alpha", ...

    // "Icom IC-7300 (3073)"
    QString displayText() const;
};

// Parses the table that "rigctl -l" prints. The columns are found from the heading line
// ("Rig #", "Mfg", "Model", "Version", "Status"); lines that do not start with a model number
// are skipped. The result is in the order of the listing.
QList<HamlibModel> parseModelList(const QString &listing);

// Whether a model matches what the listener typed: every word of the filter must occur, without
// regard to case, in the maker, the model name or the model number ("icom 7300", "FT-8", "3073").
// An empty filter matches every model.
bool modelMatches(const HamlibModel &model, const QString &filter);

// The model with that number, or nullptr.
const HamlibModel *findModel(const QList<HamlibModel> &models, int id);

} // namespace vireo::rig
