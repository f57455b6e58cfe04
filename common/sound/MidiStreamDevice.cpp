#include "MidiStreamDevice.h"

const char* MidiErrorText(int result)
{
    switch (result)
    {
    case kMidiOk:
        return "エラーはありません。";
    case kMidiErrorAllocated:
        return "指定されたデバイスは既に使用されています。";
    case kMidiErrorInvalidHandle:
        return "デバイスハンドルが無効です。";
    case kMidiErrorNoDriver:
        return "ドライバがインストールされていません。";
    case kMidiErrorInvalidParam:
        return "パラメータが無効です。";
    case kMidiErrorUnprepared:
        return "ヘッダーが準備されていません。";
    case kMidiErrorStillPlaying:
        return "バッファはまだ再生中です。";
    default:
        return "不明なエラーコードです。";
    }
}

int PrepareMidiHeader(MidiHeader& header)
{
    if (header.m_pData == nullptr || header.m_nBytesRecorded > header.m_nBufferLength)
    {
        return kMidiErrorInvalidParam;
    }
    header.m_nFlags |= kMidiHeaderPrepared;
    return kMidiOk;
}

int UnprepareMidiHeader(MidiHeader& header)
{
    if (header.m_nFlags & kMidiHeaderInQueue)
    {
        return kMidiErrorStillPlaying;
    }
    header.m_nFlags &= ~kMidiHeaderPrepared;
    return kMidiOk;
}

int QueueMidiHeader(MidiHeader& header)
{
    if (!(header.m_nFlags & kMidiHeaderPrepared))
    {
        return kMidiErrorUnprepared;
    }
    if (header.m_nFlags & kMidiHeaderInQueue)
    {
        return kMidiErrorStillPlaying;
    }
    header.m_nFlags = (header.m_nFlags & ~kMidiHeaderDone) | kMidiHeaderInQueue;
    header.m_nOffset = 0;
    return kMidiOk;
}

MidiDoneReport FinishMidiHeader(MidiHeader& header, bool played)
{
    MidiDoneReport report{&header, played, header.m_nOffset};
    header.m_nFlags = (header.m_nFlags & ~kMidiHeaderInQueue) | kMidiHeaderDone;
    return report;
}
