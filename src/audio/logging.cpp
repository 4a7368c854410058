#include "audio/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcAudio, "vireo.audio")
}
