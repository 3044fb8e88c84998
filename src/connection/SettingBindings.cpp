#include "connection/SettingBindings.h"

#include "camera/CameraTypes.h"

using namespace orv;

std::vector<SettingBinding> SettingBindings(const ShootingControls& s, const FocusControls& f,
                                            const MovieControls& m) {
    using enum FillKind;
    return {
        // Exposure. The mode handler writes the mode the window shows before
        // the camera's own is read back four rows later.
        {kCapSensitivity, EnumList, s.cbISO, Enable::WhenSettable},
        {kCapExposureMode, ModeHandler, s.cbMode, Enable::Untouched, Writes::Camera},
        {kCapAperture, ApertureList, s.cbAperture, Enable::WhenSettable},
        {kCapShutterSpeed, EnumList, s.cbShutter, Enable::InShutterModes},
        {kCapExposureMode, IndexOnly, s.cbMode},
        {kCapLiveViewZoom, ZoomRates, f.cbLVzoom},
        // Image.
        {kCapCompression, EnumList, s.cbCompression},
        {kCapImageSize, ImageSize, s.cbImageSize, Enable::Untouched, Writes::Camera},
        {kCapRawBitMode, UnsignedIndex, s.cbRAWbit, Enable::WhenSettable},
        {kCapWbMode, EnumList, s.cbWBmode},
        {kCapWbColorTemp, ColorTemp, s.cbColorTemp},
        {kCapCcdDataMode, ImageArea, s.cbCCDmode},
        {kCapExposureComp, Compensation, s.tbExpoCorr, Enable::Untouched, Writes::Camera},
        // Movie.
        {kCapMovieScreenSize, MovieSize, m.cbMovieSize},
        {kCapMovieScreenSize, MovieExtras, m.cbMovieQuality},
        {kCapMovieMicrophone, Microphone, m.cbMicLevelType},
        // Flash and focus.
        {kCapFlashMode, Flash, s.cbFlashMode},
        {kCapMeteringMode, UnsignedIndex, s.cbMeteringMode},
        {kCapAfMode, AfMode, f.cbAFmode},
        {kCapFocusAreaMode, EnumList, f.cbFocusAreaMode, Enable::WhenSettable},
        // Cards and power.
        {kCapRawCompressEx, UnsignedIndex, s.cbRawCompress},
        {kCapJpegCompressionPolicy, UnsignedIndex, s.cbJPEGCompress},
        {kCapImageColorSpace, UnsignedIndex, s.cbColorSpace},
        {kCapSlot2SaveMode, SlotRow, s.cbSlot2Mode},
        {kCapPrimarySlot, SlotRow, s.cbPrimarySlot},
        {kCapSaveMedia, SlotRow, s.cbSaveMedia},
        {kCapMovieMicValue, MicLevel, m.udMicLevel},
        {kCapBatteryLevel, Battery, s.pbBatteryLevel},
    };
}
