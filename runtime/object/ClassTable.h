#pragma once
// The fixed table of the 126 classes of the object model: ids, names and
// superclass ids. Ids 0..12 are runtime built-ins, 13..111 platform classes,
// 112..125 game classes; interfaces are classes of the table too.
#include <cstdint>

namespace classid {
inline constexpr uint16_t Object = 0;
inline constexpr uint16_t Class = 1;
inline constexpr uint16_t String = 2;
inline constexpr uint16_t StringBuffer = 3;
inline constexpr uint16_t ObjectArray = 4;
inline constexpr uint16_t BoolArray = 5;
inline constexpr uint16_t ByteArray = 6;
inline constexpr uint16_t CharArray = 7;
inline constexpr uint16_t ShortArray = 8;
inline constexpr uint16_t IntArray = 9;
inline constexpr uint16_t Long64Array = 10;
inline constexpr uint16_t FloatArray = 11;
inline constexpr uint16_t DoubleArray = 12;
inline constexpr uint16_t com_samsung_util_AudioClip = 13;
inline constexpr uint16_t com_sun_cldc_i18n_uclc_DefaultCaseConverter = 14;
inline constexpr uint16_t java_io_ByteArrayInputStream = 15;
inline constexpr uint16_t java_io_ByteArrayOutputStream = 16;
inline constexpr uint16_t java_io_ConsoleOutputStream = 17;
inline constexpr uint16_t java_io_DataInputStream = 18;
inline constexpr uint16_t java_io_DataOutputStream = 19;
inline constexpr uint16_t java_io_EOFException = 20;
inline constexpr uint16_t java_io_InputStream = 21;
inline constexpr uint16_t java_io_IOException = 22;
inline constexpr uint16_t java_io_OutputStream = 23;
inline constexpr uint16_t java_io_PrintStream = 24;
inline constexpr uint16_t java_io_UTFDataFormatException = 25;
inline constexpr uint16_t java_lang_ArithmeticException = 26;
inline constexpr uint16_t java_lang_ArrayIndexOutOfBoundsException = 27;
inline constexpr uint16_t java_lang_ArrayStoreException = 28;
inline constexpr uint16_t java_lang_Boolean = 29;
inline constexpr uint16_t java_lang_Character = 30;
inline constexpr uint16_t java_lang_ClassNotFoundException = 31;
inline constexpr uint16_t java_lang_Error = 32;
inline constexpr uint16_t java_lang_Exception = 33;
inline constexpr uint16_t java_lang_Float = 34;
inline constexpr uint16_t java_lang_IllegalArgumentException = 35;
inline constexpr uint16_t java_lang_IllegalStateException = 36;
inline constexpr uint16_t java_lang_IndexOutOfBoundsException = 37;
inline constexpr uint16_t java_lang_Integer = 38;
inline constexpr uint16_t java_lang_InterruptedException = 39;
inline constexpr uint16_t java_lang_Long = 40;
inline constexpr uint16_t java_lang_Math = 41;
inline constexpr uint16_t java_lang_NullPointerException = 42;
inline constexpr uint16_t java_lang_Runnable = 43;
inline constexpr uint16_t java_lang_Runtime = 44;
inline constexpr uint16_t java_lang_RuntimeException = 45;
inline constexpr uint16_t java_lang_StringDecoder = 46;
inline constexpr uint16_t java_lang_System = 47;
inline constexpr uint16_t java_lang_Thread = 48;
inline constexpr uint16_t java_lang_Throwable = 49;
inline constexpr uint16_t java_util_Calendar = 50;
inline constexpr uint16_t java_util_CalendarImpl = 51;
inline constexpr uint16_t java_util_Date = 52;
inline constexpr uint16_t java_util_EmptyStackException = 53;
inline constexpr uint16_t java_util_Enumeration = 54;
inline constexpr uint16_t java_util_Hashtable_Entry = 55;
inline constexpr uint16_t java_util_Hashtable_HashtableEnumerator = 56;
inline constexpr uint16_t java_util_Hashtable = 57;
inline constexpr uint16_t java_util_HashtableEntry = 58;
inline constexpr uint16_t java_util_NoSuchElementException = 59;
inline constexpr uint16_t java_util_Random = 60;
inline constexpr uint16_t java_util_Stack = 61;
inline constexpr uint16_t java_util_TaskQueue = 62;
inline constexpr uint16_t java_util_Timer = 63;
inline constexpr uint16_t java_util_TimerTask = 64;
inline constexpr uint16_t java_util_TimerThread = 65;
inline constexpr uint16_t java_util_TimeZone = 66;
inline constexpr uint16_t java_util_TimeZoneImpl = 67;
inline constexpr uint16_t java_util_Vector = 68;
inline constexpr uint16_t javax_microedition_io_Connection = 69;
inline constexpr uint16_t javax_microedition_io_ConnectionNotFoundException = 70;
inline constexpr uint16_t javax_microedition_io_Connector = 71;
inline constexpr uint16_t javax_microedition_io_ContentConnection = 72;
inline constexpr uint16_t javax_microedition_io_File = 73;
inline constexpr uint16_t javax_microedition_io_HttpConnection = 74;
inline constexpr uint16_t javax_microedition_io_InputConnection = 75;
inline constexpr uint16_t javax_microedition_io_OutputConnection = 76;
inline constexpr uint16_t javax_microedition_io_ResourceInputStream = 77;
inline constexpr uint16_t javax_microedition_io_SocketConnection = 78;
inline constexpr uint16_t javax_microedition_io_StreamConnection = 79;
inline constexpr uint16_t javax_microedition_lcdui_Canvas = 80;
inline constexpr uint16_t javax_microedition_lcdui_Command = 81;
inline constexpr uint16_t javax_microedition_lcdui_CommandListener = 82;
inline constexpr uint16_t javax_microedition_lcdui_Display = 83;
inline constexpr uint16_t javax_microedition_lcdui_Displayable = 84;
inline constexpr uint16_t javax_microedition_lcdui_Font = 85;
inline constexpr uint16_t javax_microedition_lcdui_Graphics = 86;
inline constexpr uint16_t javax_microedition_lcdui_Image = 87;
inline constexpr uint16_t javax_microedition_lcdui_game_GameCanvas = 88;
inline constexpr uint16_t javax_microedition_lcdui_game_Sprite = 89;
inline constexpr uint16_t javax_microedition_media_Control = 90;
inline constexpr uint16_t javax_microedition_media_Controllable = 91;
inline constexpr uint16_t javax_microedition_media_Manager = 92;
inline constexpr uint16_t javax_microedition_media_MediaException = 93;
inline constexpr uint16_t javax_microedition_media_Player = 94;
inline constexpr uint16_t javax_microedition_media_PlayerListener = 95;
inline constexpr uint16_t javax_microedition_media_control_MIDIControl = 96;
inline constexpr uint16_t javax_microedition_media_control_RateControl = 97;
inline constexpr uint16_t javax_microedition_media_control_TempoControl = 98;
inline constexpr uint16_t javax_microedition_media_control_VolumeControl = 99;
inline constexpr uint16_t javax_microedition_midlet_MIDlet = 100;
inline constexpr uint16_t javax_microedition_rms_InvalidRecordIDException = 101;
inline constexpr uint16_t javax_microedition_rms_RecordComparator = 102;
inline constexpr uint16_t javax_microedition_rms_RecordEnumeration = 103;
inline constexpr uint16_t javax_microedition_rms_RecordEnumerationImpl = 104;
inline constexpr uint16_t javax_microedition_rms_RecordFilter = 105;
inline constexpr uint16_t javax_microedition_rms_RecordListener = 106;
inline constexpr uint16_t javax_microedition_rms_RecordStore = 107;
inline constexpr uint16_t javax_microedition_rms_RecordStoreException = 108;
inline constexpr uint16_t javax_microedition_rms_RecordStoreFullException = 109;
inline constexpr uint16_t javax_microedition_rms_RecordStoreNotFoundException = 110;
inline constexpr uint16_t javax_microedition_rms_RecordStoreNotOpenException = 111;
inline constexpr uint16_t ASprite = 112;
inline constexpr uint16_t BitmapFont = 113;
inline constexpr uint16_t cActor = 114;
inline constexpr uint16_t cActorEnemy = 115;
inline constexpr uint16_t cActorMC = 116;
inline constexpr uint16_t cActorNPC = 117;
inline constexpr uint16_t cGame = 118;
inline constexpr uint16_t cSoundServer = 119;
inline constexpr uint16_t CVLibPlayer = 120;
inline constexpr uint16_t CorvaQNDR = 121;
inline constexpr uint16_t IDefines = 122;
inline constexpr uint16_t Kivra = 123;
inline constexpr uint16_t IMenus = 124;
inline constexpr uint16_t SensibleRectangle = 125;
}  // namespace classid

inline constexpr int32_t classCount = 126;
// The superclass id of Object, and the class id of an object once swept.
inline constexpr uint32_t noClass = 0xFEEE;

// Names in id order, as one run of NUL-terminated texts starting with "Object".
extern const char classNameRun[];

// Superclass id of each class (noClass for Object).
inline constexpr uint32_t superclassIds[classCount] = {
    0xFEEE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 21, 23, 23, 21, 23, 22, 0, 33, 0, 23, 22, 45, 37,
    45, 0, 0, 33, 49, 49, 0, 45, 45, 45, 0, 33, 0, 0,
    45, 0, 0, 33, 0, 0, 0, 0, 0, 50, 0, 45, 0, 0,
    0, 0, 0, 45, 0, 68, 0, 0, 0, 48, 0, 66, 0, 0,
    22, 0, 0, 0, 0, 0, 0, 21, 0, 0, 84, 0, 0, 0,
    0, 0, 0, 0, 80, 0, 0, 0, 0, 33, 0, 0, 0, 0,
    0, 0, 0, 108, 0, 0, 0, 0, 0, 0, 33, 108, 108, 108,
    0, 0, 0, 114, 114, 114, 80, 0, 0, 100, 0, 0, 0, 0,
};

constexpr bool isValidClassId(int32_t id) { return id >= 0 && id < classCount; }

// True when the class is ancestor or one of its subclasses, following the
// superclass column.
constexpr bool classDerivesFrom(int32_t id, int32_t ancestor) {
  while (isValidClassId(id)) {
    if (id == ancestor) return true;
    id = static_cast<int32_t>(superclassIds[id]);
  }
  return false;
}
