#pragma once
// The logging category of this folder. Every subsystem folder declares one (src/<sub>/logging.h,
// "vireo.<sub>"); what is not shown to the listener but must not be lost goes there.

#include <QLoggingCategory>

namespace vireo {
Q_DECLARE_LOGGING_CATEGORY(lcBase)
}
