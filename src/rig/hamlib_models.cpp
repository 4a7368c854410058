#include "rig/hamlib_models.h"

#include <QRegularExpression>
#include <QStringList>

namespace vireo::rig {

QString HamlibModel::displayText() const
{
    return QStringLiteral("%1 %2 (%3)").arg(maker, model).arg(id);
}

QList<HamlibModel> parseModelList(const QString &listing)
{
    QList<HamlibModel> models;
    const QStringList lines = listing.split(QLatin1Char('\n'));
    // Column starts, from the heading; the defaults are those of Hamlib 4.5.
    int mfgCol = 8, modelCol = 31, versionCol = 55, statusCol = 71, macroCol = 83;
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d+)\\s"));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.contains(QLatin1String("Mfg")) && line.contains(QLatin1String("Model"))) {
            const int mfg = line.indexOf(QLatin1String("Mfg"));
            const int model = line.indexOf(QLatin1String("Model"));
            const int version = line.indexOf(QLatin1String("Version"));
            const int status = line.indexOf(QLatin1String("Status"));
            const int macro = line.indexOf(QLatin1String("Macro"));
            if (mfg > 0 && model > mfg && version > model && status > version) {
                mfgCol = mfg;
                modelCol = model;
                versionCol = version;
                statusCol = status;
                macroCol = macro > status ? macro : line.size() + 1000;
            }
            continue;
        }
        const QRegularExpressionMatch m = number.match(line);
        if (!m.hasMatch() || line.size() <= modelCol)
            continue;
        HamlibModel h;
        h.id = m.captured(1).toInt();
        // A maker name as long as its column pushes the model name right; such a line is cut at
        // the last blank before the model column.
        QString makerPart = line.mid(mfgCol, modelCol - mfgCol);
        int modelStart = modelCol;
        if (!makerPart.endsWith(QLatin1Char(' '))) {
            const int blank = line.indexOf(QLatin1String("  "), mfgCol);
            if (blank > 0) {
                makerPart = line.mid(mfgCol, blank - mfgCol);
                modelStart = blank;
            }
        }
        h.maker = makerPart.trimmed();
        h.model = line.mid(modelStart, versionCol - modelStart).trimmed();
        h.version = line.mid(versionCol, statusCol - versionCol).trimmed();
        h.status = line.mid(statusCol, macroCol - statusCol).trimmed();
        if (h.id > 0 && !h.model.isEmpty())
            models.append(h);
    }
    return models;
}

bool modelMatches(const HamlibModel &model, const QString &filter)
{
    const QStringList words = filter.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &w : words) {
        if (!model.maker.contains(w, Qt::CaseInsensitive) && !model.model.contains(w, Qt::CaseInsensitive)
            && !QString::number(model.id).startsWith(w))
            return false;
    }
    return true;
}

const HamlibModel *findModel(const QList<HamlibModel> &models, int id)
{
    for (const HamlibModel &m : models)
        if (m.id == id)
            return &m;
    return nullptr;
}

} // namespace vireo::rig
