#include "plain_wav.h"

#include <limits>
#include <sndfile.h>

#include "files.h"

namespace fifteen {

PlainWav::PlainWav(const QString& path)
{
    // Opened as every data file is, so that a FIFO or a device in the
    // sound's place is silence rather than a game that waits on it; the
    // sound library reads from the descriptor, which stays this object's.
    try {
        source_ = std::make_unique<ReadableFile>(path, std::numeric_limits<std::uintmax_t>::max());
    } catch (const std::exception&) {
        return;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open_fd(source_->descriptor(), SFM_READ, &info, SF_FALSE);
    if (!file)
        return;
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    const bool plain = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV
                       && (subtype == SF_FORMAT_PCM_U8 || subtype == SF_FORMAT_PCM_16)
                       && (info.channels == 1 || info.channels == 2) && info.samplerate > 0 && info.frames > 0;
    if (!plain) {
        sf_close(file);
        return;
    }
    file_ = file;
    rate_ = info.samplerate;
    channels_ = info.channels;
}

PlainWav::~PlainWav()
{
    if (file_)
        sf_close(file_);
}

std::size_t PlainWav::read(short* to, std::size_t frames)
{
    if (!file_)
        return 0;
    const sf_count_t got = sf_readf_short(file_, to, sf_count_t(frames));
    return got > 0 ? std::size_t(got) : 0;
}

}  // namespace fifteen
