#pragma once
// TZembraAviWriter: the editor's host of the AVI-writer control. It creates
// the control through the COM layer by its class identifier (the library the
// per-user registration names, else libZembraAviWriter.so beside the
// program), hands it its persisted state, calls methods through the table of
// functions of IZembraAviWriter and properties through IDispatch by DISPID.
// Every failure the control reports is raised as com::EComError carrying the
// control's text; creating it raises "Class not registered" and the reason
// when the library cannot be loaded.
#include "aviwriter/control/ZembraAviWriterApi.h"
#include "com/ComPtr.h"
#include "com/InprocServer.h"
#include "editor/core/AviExport.h"

#include <QString>
#include <cstdint>
#include <vector>

class TZembraAviWriter final : public TAviWriterControl {
public:
    // The control with the given persisted state ("TPF0" block; none keeps
    // the control's own defaults).
    explicit TZembraAviWriter(const std::vector<uint8_t>& persistedState = {});
    ~TZembraAviWriter() override;
    TZembraAviWriter(const TZembraAviWriter&) = delete;
    TZembraAviWriter& operator=(const TZembraAviWriter&) = delete;

    // The state the Save-AVI window gives its control: AHeight 96, AWidth 160,
    // FrameTime 1000, Stretch, pf24bit and a temporary file name.
    static std::vector<uint8_t> DialogState();
    // The control's persisted state now.
    std::vector<uint8_t> SaveState() const;

    // TAviWriterControl.
    void Setfilename(const QString& value) override;
    QString filename() const override;
    void SetTempFileName(const QString& value) override;
    void SetAWidth(int32_t value) override;
    void SetAHeight(int32_t value) override;
    void SetFrameTime(int32_t value) override;
    void SetCompressionQuality(int32_t value) override;
    void SetPixelFormat(int32_t value) override;
    void SetWavFileName(const QString& value) override;
    void SetStretch(bool value) override;
    void SetOnTheFlyCompression(bool value) override;
    void Compressorlist() override;
    int32_t AVIGetCount() override;
    QString AVIGetCode(int32_t index) override;
    QString AVIGetName(int32_t index) override;
    void SetCompression(const QString& code) override;
    void ShowCompressorDialog(void* parent) override;
    void AddWaveFile(const QString& fileName, int32_t delay) override;
    void InitVideo(HBITMAP bitmap) override;
    void AddFrame(HBITMAP bitmap) override;
    void FinalizeVideo() override;
    void WriteAvi() override;

    int32_t AWidth() const;
    int32_t AHeight() const;
    int32_t FrameTime() const;
    int32_t PixelFormat() const;
    QString TempFileName() const;

private:
    // Raises the control's error information when hr is a failure.
    void Check(HRESULT hr) const;
    void Put(DISPID id, VARIANT value);
    VARIANT Get(DISPID id) const;
    int32_t GetInt(DISPID id) const;
    QString GetText(DISPID id) const;

    com::TInprocServer fServer; // first: unloaded after the references below
    com::TComPtr<IZembraAviWriter> fControl;
    com::TComPtr<IDispatch> fDispatch;
};
