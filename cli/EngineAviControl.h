#pragma once
// The AVI export's control over the AVI writing engine, linked in: what the
// headless "render --avi" drives.
#include "aviwriter/AviWriterEngine.h"
#include "editor/core/AviExport.h"

class TEngineAviControl final : public TAviWriterControl {
public:
    void Setfilename(const QString& value) override;
    QString filename() const override;
    void SetTempFileName(const QString& value) override;
    void SetAWidth(int32_t value) override { fEngine.SetAWidth(value); }
    void SetAHeight(int32_t value) override { fEngine.SetAHeight(value); }
    void SetFrameTime(int32_t value) override { fEngine.SetFrameTime(value); }
    void SetCompressionQuality(int32_t value) override { fEngine.SetCompressionQuality(value); }
    void SetPixelFormat(int32_t value) override { fEngine.SetPixelFormat(avi::TxPixelFormat(value)); }
    void SetWavFileName(const QString& value) override;
    void SetStretch(bool value) override { fEngine.SetStretch(value); }
    void SetOnTheFlyCompression(bool value) override { fEngine.SetOnTheFlyCompression(value); }
    void Compressorlist() override { fEngine.Compressorlist(); }
    int32_t AVIGetCount() override { return fEngine.AVIGetCount(); }
    QString AVIGetCode(int32_t index) override;
    void SetCompression(const QString& code) override;
    void AddWaveFile(const QString& fileName, int32_t delay) override;
    void InitVideo(HBITMAP bitmap) override { fEngine.InitVideo(bitmap); }
    void AddFrame(HBITMAP bitmap) override { fEngine.AddFrame(bitmap); }
    void FinalizeVideo() override { fEngine.FinalizeVideo(); }
    void WriteAvi() override { fEngine.WriteAvi(); }

    avi::TAviWriterEngine& Engine() { return fEngine; }

private:
    avi::TAviWriterEngine fEngine;
};
