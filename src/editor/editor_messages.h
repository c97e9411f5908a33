#pragma once
// The editor's messages to the user (UTF-8), shared by the gestures and the commands.

namespace zrk {

inline constexpr const char* EditorErrorCaption = "!";
inline constexpr const char* TooManyFiguresText = "Фигурок не должно быть больше 254!";
inline constexpr const char* NoRoomToCopyText = "Недостаточно места для копирования";
inline constexpr const char* NoRoomToTransformText = "Недостаточно места для преобразования";
inline constexpr const char* NoFiguresSelectedText = "Не выделено фигурок";
inline constexpr const char* SelectionBothSidesText =
    "Выделенные фигурки должны быть либо все на поле, либо все вне него";
inline constexpr const char* CopySelectionBothSidesText =
    "Для копирования выделенные фигурки должны быть либо все на поле, либо все вне него";
// The last letter of "ограниченa" is a Latin a, as the program has always shown it.
inline constexpr const char* ImageAreaReduceCellText = "Площадь изображения ограниченa, уменьшите размер клетки";
inline constexpr const char* FieldCrossesFiguresText = "Поле пересекает фигурки";

} // namespace zrk
