#include "download/resumerecord.h"

namespace {

const QString kPathKey = QStringLiteral("path");
const QString kDigestPendingKey = QStringLiteral("digestPending");
const QString kSegmentsKey = QStringLiteral("segments");
const QString kSizeKey = QStringLiteral("size");
const QString kValidatorKey = QStringLiteral("validator");
const int kMostSegments = 64;

} // namespace

resumerecord::resumerecord() = default;
resumerecord::~resumerecord() = default;

void resumerecord::setPackage(const QString &fileName, const QString &tempPath)
{
    m_name = fileName;
    m_tempPath = tempPath;
}

QSettings &resumerecord::store()
{
    // Opened on first use, so it picks up the names set at start-up.
    if (!m_settings)
        m_settings = std::make_unique<QSettings>();
    return *m_settings;
}

QString resumerecord::key(const QString &name) const
{
    return m_name + QLatin1Char('/') + name;
}

bool resumerecord::belongsHere()
{
    store().sync();
    const QString path = store().value(key(kPathKey)).toString();
    return path.isEmpty() || path == m_tempPath;
}

qint64 resumerecord::sliceStart(qint64 total, int count, int index)
{
    // total * index / count without overflow for any package size.
    return (total / count) * index + (total % count) * index / count;
}

QVector<qint64> resumerecord::segmentSizes(qint64 total)
{
    if (!belongsHere() || !store().contains(key(QStringLiteral("0"))))
        return {};
    const int count = store().value(key(kSegmentsKey), 1).toInt();
    const qint64 recordedTotal = store().value(key(kSizeKey), total).toLongLong();
    if (count < 1 || count > kMostSegments || recordedTotal != total)
        return {};
    QVector<qint64> sizes;
    for (int index = 0; index < count; ++index) {
        bool ok = false;
        sizes.append(store().value(key(QString::number(index)), 0).toLongLong(&ok));
        if (!ok)
            return {};
    }
    return fits(sizes, total) ? sizes : QVector<qint64>();
}

// A size beyond its slice is a record of some other file: never spliced.
bool resumerecord::fits(const QVector<qint64> &sizes, qint64 total) const
{
    for (int index = 0; index < sizes.size(); ++index) {
        const qint64 slice = sliceStart(total, sizes.size(), index + 1) - sliceStart(total, sizes.size(), index);
        if (sizes[index] < 0 || sizes[index] > slice)
            return false;
    }
    return true;
}

QByteArray resumerecord::validator()
{
    return belongsHere() ? store().value(key(kValidatorKey)).toByteArray() : QByteArray();
}

void resumerecord::save(const QVector<qint64> &sizes, qint64 total, const QByteArray &validator)
{
    if (!belongsHere())
        return;
    store().setValue(key(kPathKey), m_tempPath);
    store().setValue(key(kSegmentsKey), sizes.size());
    store().setValue(key(kSizeKey), total);
    if (validator.isEmpty())
        store().remove(key(kValidatorKey));
    else
        store().setValue(key(kValidatorKey), validator);
    for (int index = 0; index < sizes.size(); ++index)
        store().setValue(key(QString::number(index)), sizes[index]);
    // Keys of a record that had more segments would be read back wrongly.
    for (int index = sizes.size(); store().contains(key(QString::number(index))); ++index)
        store().remove(key(QString::number(index)));
    store().sync();
}

void resumerecord::remove()
{
    if (!belongsHere())
        return;
    store().remove(m_name);
    store().sync();
}

bool resumerecord::digestPending()
{
    return belongsHere() && store().value(key(kDigestPendingKey)).toBool();
}

void resumerecord::setDigestPending(bool pending)
{
    if (!belongsHere())
        return;
    store().setValue(key(kPathKey), m_tempPath);
    if (pending)
        store().setValue(key(kDigestPendingKey), true);
    else
        store().remove(key(kDigestPendingKey));
    store().sync();
}
