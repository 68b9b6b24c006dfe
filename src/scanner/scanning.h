#pragma once

#include "core/settings.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>

namespace scanner {

// What a scan takes: the device, the resolution, the colour mode ("Gray",
// "Color", "Lineart") and whether the pages come from the document feeder.
using ScanSettings = core::ScannerChoice;

// A scanner the scanner interface reports.
struct Device {
    QString name;        // the name the device is opened by: "test:0"
    QString description; // maker and model, as the clerk knows it
};

// What a device offers for the dialog.
struct Capabilities {
    QString device;
    bool found = false;
    QList<int> resolutions; // in dpi, ascending
    bool feeder = false;
};

// How a scan ended.
enum class ScanEnd {
    Done,         // every page asked for was scanned
    Stopped,      // the clerk stopped it
    NoDevice,     // no device chosen: none is connected
    NotFound,     // the device of that name is not there
    Busy,         // another program holds it
    Jammed,       // paper jammed in the feeder
    CoverOpen,    // the cover or the feeder is open
    NoPaper,      // the feeder is empty at the first page
    AccessDenied, // the workstation's user may not use it
    Failed,       // any other failure of the device
};

// What failed, for a scan that ended Failed.
enum class ScanFault {
    Other,
    InputOutput, // the device stopped answering or sent a broken page
    NoMemory,    // the device or its driver ran out of memory
    Unsupported, // the device cannot do what was asked of it
};

struct ScanResult {
    ScanEnd end = ScanEnd::Done;
    ScanFault fault = ScanFault::Other;
    int pages = 0;  // pages scanned and handed over before the end
    QString detail; // the scanner interface's own text of a failure
};

// The clerk's message for a scan that did not end well, naming the device
// and how many pages were kept; empty for one that did.
QString scanMessage(const ScanResult& result, const QString& device);

// What a scan reports while it runs, on the thread that scans.
struct ScanSink {
    std::function<void(int page)> pageStarted;
    std::function<void(int page, int percent)> progress;
    // A whole page, as it is stored (scanner::storedPage).
    std::function<void(int page, const QByteArray& stored)> pageScanned;
};

// Each of these opens the scanner interface for itself and closes it again
// (one at a time in the process), so a scanner plugged in meanwhile is found.
// They block until the device answers: call them off the interface thread.
QList<Device> listDevices();
Capabilities probe(const QString& device);
// On the flatbed one page; from the feeder every page until it is empty.
// Setting stop ends the scan at the next piece of the page read: the page
// being read is dropped, the pages handed over stay.
ScanResult scanPages(const ScanSettings& settings, const std::atomic_bool& stop,
                     const ScanSink& sink);

} // namespace scanner
