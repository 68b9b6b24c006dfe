#include "scanning.h"

#include "pagepicture.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <mutex>
#include <thread>
#include <vector>

namespace scanner {
namespace {

// The scanner interface keeps its state for the whole process: one user
// at a time, between its own init and exit.
std::mutex saneLock;

class SaneSession {
public:
    SaneSession() : m_guard(saneLock)
    {
        SANE_Int version = 0;
        m_ok = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
    }
    ~SaneSession()
    {
        if (m_ok)
            sane_exit();
    }
    SaneSession(const SaneSession&) = delete;
    SaneSession& operator=(const SaneSession&) = delete;
    bool ok() const { return m_ok; }

private:
    std::lock_guard<std::mutex> m_guard;
    bool m_ok = false;
};

ScanEnd endOf(SANE_Status status)
{
    switch (status) {
    case SANE_STATUS_GOOD:
    case SANE_STATUS_EOF:
        return ScanEnd::Done;
    case SANE_STATUS_CANCELLED:
        return ScanEnd::Stopped;
    case SANE_STATUS_INVAL:
        return ScanEnd::NotFound;
    case SANE_STATUS_DEVICE_BUSY:
        return ScanEnd::Busy;
    case SANE_STATUS_JAMMED:
        return ScanEnd::Jammed;
    case SANE_STATUS_COVER_OPEN:
        return ScanEnd::CoverOpen;
    case SANE_STATUS_NO_DOCS:
        return ScanEnd::NoPaper;
    case SANE_STATUS_ACCESS_DENIED:
        return ScanEnd::AccessDenied;
    default:
        return ScanEnd::Failed;
    }
}

ScanFault faultOf(SANE_Status status)
{
    switch (status) {
    case SANE_STATUS_IO_ERROR:
        return ScanFault::InputOutput;
    case SANE_STATUS_NO_MEM:
        return ScanFault::NoMemory;
    case SANE_STATUS_UNSUPPORTED:
        return ScanFault::Unsupported;
    default:
        return ScanFault::Other;
    }
}

// The end of a scan with the status it ended on; the device's own text
// of a failure is kept for the details.
void setEnd(ScanResult& result, SANE_Status status)
{
    result.end = endOf(status);
    if (result.end != ScanEnd::Failed)
        return;
    result.fault = faultOf(status);
    result.detail = QString::fromUtf8(sane_strstatus(status));
}

QString faultText(ScanFault fault)
{
    switch (fault) {
    case ScanFault::InputOutput:
        return QStringLiteral("DİKKAT! Tarayıcıyla iletişim kesildi ya da sayfa bozuk geldi. "
                              "Tarayıcının kablosunu ve açık olduğunu denetleyip yeniden "
                              "taratın.");
    case ScanFault::NoMemory:
        return QStringLiteral("DİKKAT! Tarama için bellek yetmedi. Çözünürlüğü düşürüp ya da "
                              "başka programları kapatıp yeniden taratın.");
    case ScanFault::Unsupported:
        return QStringLiteral("DİKKAT! Tarayıcı istenen ayarla tarama yapamıyor. Başka bir "
                              "çözünürlük ya da renk seçip yeniden taratın.");
    case ScanFault::Other:
        break;
    }
    return QStringLiteral("DİKKAT! Tarayıcı taramayı tamamlayamadı.");
}

QString lower(SANE_String_Const text)
{
    return QString::fromUtf8(text).toLower();
}

bool isFeeder(SANE_String_Const source)
{
    const QString s = lower(source);
    return s.contains(QLatin1String("adf")) || s.contains(QLatin1String("feeder")) ||
           s.contains(QLatin1String("automatic document"));
}

bool isMode(SANE_String_Const value, const QString& wanted)
{
    const QString s = lower(value);
    if (wanted == QLatin1String("Color"))
        return (s.contains(QLatin1String("color")) || s.contains(QLatin1String("colour"))) &&
               !s.contains(QLatin1String("lineart")) && !s.contains(QLatin1String("halftone"));
    if (wanted == QLatin1String("Lineart"))
        return s == QLatin1String("lineart") || s.contains(QLatin1String("binary")) ||
               s.contains(QLatin1String("black"));
    return s.startsWith(QLatin1String("gray")) || s.startsWith(QLatin1String("grey"));
}

// An open device; closed with its owner.
class OpenDevice {
public:
    SANE_Status open(const QString& name)
    {
        return sane_open(name.toUtf8().constData(), &m_handle);
    }
    ~OpenDevice()
    {
        if (m_handle)
            sane_close(m_handle);
    }
    SANE_Handle handle() const { return m_handle; }

    // The descriptor and number of the active option of that name.
    const SANE_Option_Descriptor* option(const char* name, SANE_Int* number = nullptr) const
    {
        SANE_Int count = 0;
        if (sane_control_option(m_handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) !=
            SANE_STATUS_GOOD)
            return nullptr;
        for (SANE_Int i = 1; i < count; ++i) {
            const SANE_Option_Descriptor* o = sane_get_option_descriptor(m_handle, i);
            if (o && o->name && qstrcmp(o->name, name) == 0 && SANE_OPTION_IS_ACTIVE(o->cap)) {
                if (number)
                    *number = i;
                return o;
            }
        }
        return nullptr;
    }

    QList<int> resolutions() const
    {
        const SANE_Option_Descriptor* o = option(SANE_NAME_SCAN_RESOLUTION);
        if (!o || (o->type != SANE_TYPE_INT && o->type != SANE_TYPE_FIXED))
            return {};
        auto dpi = [o](SANE_Word w) {
            return o->type == SANE_TYPE_FIXED ? int(std::lround(SANE_UNFIX(w))) : int(w);
        };
        QList<int> values;
        if (o->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
            const SANE_Word* list = o->constraint.word_list;
            for (SANE_Word i = 1; i <= list[0]; ++i)
                values << dpi(list[i]);
        } else if (o->constraint_type == SANE_CONSTRAINT_RANGE) {
            const int low = dpi(o->constraint.range->min);
            const int high = dpi(o->constraint.range->max);
            for (int v : {75, 100, 150, 200, 300, 400, 600, 1200})
                if (v >= low && v <= high)
                    values << v;
        }
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        return values;
    }

    // The first value of a string option that suits; null when none does.
    SANE_String_Const pick(const char* name,
                           const std::function<bool(SANE_String_Const)>& suits) const
    {
        const SANE_Option_Descriptor* o = option(name);
        if (!o || o->type != SANE_TYPE_STRING || o->constraint_type != SANE_CONSTRAINT_STRING_LIST)
            return nullptr;
        for (const SANE_String_Const* v = o->constraint.string_list; *v; ++v)
            if (suits(*v))
                return *v;
        return nullptr;
    }

    void setString(const char* name, SANE_String_Const value)
    {
        SANE_Int n = 0;
        const SANE_Option_Descriptor* o = option(name, &n);
        if (!o || !value || !SANE_OPTION_IS_SETTABLE(o->cap))
            return;
        std::vector<char> buffer(std::max<size_t>(o->size, qstrlen(value) + 1), 0);
        qstrncpy(buffer.data(), value, buffer.size());
        sane_control_option(m_handle, n, SANE_ACTION_SET_VALUE, buffer.data(), nullptr);
    }

    // The offered resolution nearest to the one wanted; the one set.
    int setResolution(int wanted)
    {
        SANE_Int n = 0;
        const SANE_Option_Descriptor* o = option(SANE_NAME_SCAN_RESOLUTION, &n);
        const QList<int> offered = resolutions();
        if (!o || !SANE_OPTION_IS_SETTABLE(o->cap) || o->size != sizeof(SANE_Word) ||
            offered.isEmpty())
            return wanted;
        int dpi = offered.front();
        for (int v : offered)
            if (std::abs(v - wanted) < std::abs(dpi - wanted))
                dpi = v;
        SANE_Word value = o->type == SANE_TYPE_FIXED ? SANE_FIX(dpi) : dpi;
        sane_control_option(m_handle, n, SANE_ACTION_SET_VALUE, &value, nullptr);
        return dpi;
    }

    // Sets the choice on the device: what it scans with. The feeder is only
    // taken where the device has one; a flatbed scans one page.
    ScanSettings apply(const ScanSettings& s)
    {
        ScanSettings used = s;
        SANE_String_Const source = pick(
            SANE_NAME_SCAN_SOURCE, [&s](SANE_String_Const v) { return isFeeder(v) == s.feeder; });
        used.feeder = s.feeder && source;
        setString(SANE_NAME_SCAN_SOURCE, source);
        setString(SANE_NAME_SCAN_MODE, pick(SANE_NAME_SCAN_MODE, [&s](SANE_String_Const v) {
                      return isMode(v, s.mode);
                  }));
        used.resolution = setResolution(s.resolution);
        return used;
    }

private:
    SANE_Handle m_handle = nullptr;
};

// One frame of a page as the device sends it.
struct Frame {
    SANE_Parameters p{};
    QByteArray data;
    int lines() const { return p.bytes_per_line > 0 ? int(data.size() / p.bytes_per_line) : 0; }
};

// A sample of a grey or single-colour frame, 0..255, at pixel x of a line.
int sample(const Frame& f, const uchar* line, int x, int channel = 0, int channels = 1)
{
    switch (f.p.depth) {
    case 1: // a set bit is black
        return (line[x >> 3] & (0x80 >> (x & 7))) ? 0 : 255;
    case 16: {
        quint16 v;
        memcpy(&v, line + 2 * (x * channels + channel), 2);
        return v >> 8;
    }
    default:
        return line[x * channels + channel];
    }
}

// The picture of a page from its frames: one grey or colour frame, or three
// frames of one colour each.
QImage pageImage(const std::vector<Frame>& frames, int dpi)
{
    if (frames.empty())
        return {};
    const Frame& first = frames.front();
    const int width = first.p.pixels_per_line;
    int height = first.lines();
    for (const Frame& f : frames)
        height = std::min(height, f.lines());
    if (width <= 0 || height <= 0)
        return {};
    QImage image;
    if (frames.size() == 1 && first.p.format == SANE_FRAME_GRAY) {
        image = QImage(width, height, QImage::Format_Grayscale8);
        for (int y = 0; y < height; ++y) {
            const auto* in = reinterpret_cast<const uchar*>(first.data.constData()) +
                             qsizetype(y) * first.p.bytes_per_line;
            uchar* out = image.scanLine(y);
            for (int x = 0; x < width; ++x)
                out[x] = uchar(sample(first, in, x));
        }
    } else {
        image = QImage(width, height, QImage::Format_RGB888);
        for (int y = 0; y < height; ++y) {
            uchar* out = image.scanLine(y);
            for (const Frame& f : frames) {
                const auto* in = reinterpret_cast<const uchar*>(f.data.constData()) +
                                 qsizetype(y) * f.p.bytes_per_line;
                for (int x = 0; x < width; ++x) {
                    if (f.p.format == SANE_FRAME_RGB) {
                        for (int c = 0; c < 3; ++c)
                            out[3 * x + c] = uchar(sample(f, in, x, c, 3));
                    } else if (f.p.format == SANE_FRAME_GRAY) {
                        out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = uchar(sample(f, in, x));
                    } else {
                        const int c = f.p.format == SANE_FRAME_RED     ? 0
                                      : f.p.format == SANE_FRAME_GREEN ? 1
                                                                       : 2;
                        out[3 * x + c] = uchar(sample(f, in, x));
                    }
                }
            }
        }
    }
    const int perMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
    return image;
}

// Reads one page, frame by frame. GOOD with the page, else why not.
SANE_Status readPage(SANE_Handle h, int page, int dpi, const std::atomic_bool& stop,
                     const ScanSink& sink, QImage& out)
{
    std::vector<Frame> frames;
    std::vector<SANE_Byte> buffer(64 * 1024);
    for (;;) {
        const SANE_Status started = sane_start(h);
        if (started != SANE_STATUS_GOOD)
            return started;
        Frame f;
        if (const SANE_Status s = sane_get_parameters(h, &f.p); s != SANE_STATUS_GOOD)
            return s;
        const qint64 expected = f.p.lines > 0 ? qint64(f.p.lines) * f.p.bytes_per_line : qint64(-1);
        if (expected > 0)
            f.data.reserve(expected);
        int shown = -1;
        SANE_Status s = SANE_STATUS_GOOD;
        while (s == SANE_STATUS_GOOD) {
            if (stop)
                return SANE_STATUS_CANCELLED;
            SANE_Int length = 0;
            s = sane_read(h, buffer.data(), SANE_Int(buffer.size()), &length);
            if (s == SANE_STATUS_GOOD && length > 0)
                f.data.append(reinterpret_cast<const char*>(buffer.data()), length);
            if (expected > 0 && sink.progress) {
                // Three frames of one colour each share the page's progress.
                const int frameCount =
                    f.p.format == SANE_FRAME_GRAY || f.p.format == SANE_FRAME_RGB ? 1 : 3;
                const int percent =
                    int((frames.size() * 100 + 100 * f.data.size() / expected) / frameCount);
                if (percent != shown)
                    sink.progress(page, shown = std::min(percent, 100));
            }
        }
        if (s != SANE_STATUS_EOF)
            return s;
        const bool last = f.p.last_frame;
        frames.push_back(std::move(f));
        if (last || frames.size() >= 3)
            break;
    }
    out = pageImage(frames, dpi);
    return out.isNull() ? SANE_STATUS_IO_ERROR : SANE_STATUS_GOOD;
}

} // namespace

QString scanMessage(const ScanResult& r, const QString& device)
{
    QString text;
    switch (r.end) {
    case ScanEnd::Done:
    case ScanEnd::Stopped:
        return {};
    case ScanEnd::NoDevice:
        text = QStringLiteral("DİKKAT! Bağlı bir tarayıcı bulunamadı.");
        break;
    case ScanEnd::NotFound:
        text = QStringLiteral("DİKKAT! \"%1\" tarayıcısı bulunamadı. Tarayıcının bağlı ve "
                              "açık olduğunu denetleyin.")
                   .arg(device);
        break;
    case ScanEnd::Busy:
        text = QStringLiteral("DİKKAT! \"%1\" tarayıcısı meşgul: başka bir program "
                              "kullanıyor olabilir.")
                   .arg(device);
        break;
    case ScanEnd::Jammed:
        text = QStringLiteral("DİKKAT! Tarayıcıda kağıt sıkıştı. Sıkışan kağıdı alıp "
                              "kalan sayfaları yeniden taratın.");
        break;
    case ScanEnd::CoverOpen:
        text = QStringLiteral("DİKKAT! Tarayıcının kapağı açık.");
        break;
    case ScanEnd::NoPaper:
        text = QStringLiteral("DİKKAT! Tarayıcının besleyicisinde kağıt yok.");
        break;
    case ScanEnd::AccessDenied:
        text = QStringLiteral("DİKKAT! \"%1\" tarayıcısını kullanma izniniz yok.").arg(device);
        break;
    case ScanEnd::Failed:
        text = faultText(r.fault);
        if (!r.detail.isEmpty())
            text += QStringLiteral("\nAyrıntılar: %1").arg(r.detail);
        break;
    }
    if (r.pages > 0)
        text += QStringLiteral("\nO ana kadar taranan %1 sayfa saklandı.").arg(r.pages);
    return text;
}

QList<Device> listDevices()
{
    SaneSession session;
    QList<Device> devices;
    const SANE_Device** list = nullptr;
    if (!session.ok() || sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return devices;
    for (const SANE_Device** d = list; *d; ++d) {
        const QString model =
            QStringLiteral("%1 %2")
                .arg(QString::fromUtf8((*d)->vendor), QString::fromUtf8((*d)->model))
                .trimmed();
        devices.append({QString::fromUtf8((*d)->name), model});
    }
    return devices;
}

Capabilities probe(const QString& device)
{
    Capabilities c{device};
    SaneSession session;
    OpenDevice d;
    if (!session.ok() || device.isEmpty() || d.open(device) != SANE_STATUS_GOOD)
        return c;
    c.found = true;
    c.resolutions = d.resolutions();
    c.feeder = d.pick(SANE_NAME_SCAN_SOURCE, isFeeder) != nullptr;
    return c;
}

ScanResult scanPages(const ScanSettings& settings, const std::atomic_bool& stop,
                     const ScanSink& sink)
{
    ScanResult result;
    if (settings.device.isEmpty()) {
        result.end = ScanEnd::NoDevice;
        return result;
    }
    SaneSession session;
    if (!session.ok()) {
        result.end = ScanEnd::NoDevice;
        return result;
    }
    OpenDevice d;
    if (const SANE_Status s = d.open(settings.device); s != SANE_STATUS_GOOD) {
        setEnd(result, s);
        return result;
    }
    const ScanSettings used = d.apply(settings);
    SANE_Status status = SANE_STATUS_GOOD;
    do {
        if (sink.pageStarted)
            sink.pageStarted(result.pages + 1);
        QImage page;
        status = readPage(d.handle(), result.pages + 1, used.resolution, stop, sink, page);
        if (status != SANE_STATUS_GOOD)
            break;
        ++result.pages;
        if (sink.pageScanned)
            sink.pageScanned(result.pages, storedPage(page));
    } while (used.feeder && !stop);
    if (status != SANE_STATUS_GOOD && status != SANE_STATUS_CANCELLED)
        // A device that reports a fault as soon as it starts may still be
        // starting the thread that reads it, and some drivers end that
        // thread outright on cancel: caught inside its start-up, it never
        // ends and the cancel waits for ever. A moment's pause lets it
        // settle first; the page is lost either way.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sane_cancel(d.handle());

    if (status == SANE_STATUS_NO_DOCS && used.feeder && result.pages > 0)
        status = SANE_STATUS_GOOD; // the feeder ran empty: every page is in
    if (stop && (status == SANE_STATUS_GOOD || status == SANE_STATUS_CANCELLED))
        status = SANE_STATUS_CANCELLED;
    setEnd(result, status);
    return result;
}

} // namespace scanner
