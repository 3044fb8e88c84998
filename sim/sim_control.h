#pragma once
/* C control interface of the simulated camera module. Exported from the
 * simulator library next to ModuleEntryPoint, so a process that loads the
 * library as its camera module and a test that links it reach one world.
 * Texts are UTF-8. Functions returning int give 1 for success, 0 otherwise,
 * unless stated. The C++ wrapper is vsim::SimControl (SimControl.h). */
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* One entry call as the module saw it. */
typedef struct vsim_call_record {
    uint32_t object_type; /* 0 when no (known) object was given */
    uint32_t object_id;
    uint32_t command;
    uint32_t param;
    uint32_t data_type;
    int32_t result; /* the immediate result returned */
} vsim_call_record;

enum vsim_fault_kind {
    VSIM_FAULT_FAIL_WITH_RESULT = 0,
    VSIM_FAULT_NEVER_COMPLETE = 1,
    VSIM_FAULT_ARRAY_TOO_SMALL = 2,
    VSIM_FAULT_FAIL_IDLE = 3,
    /* Data faults, taken when a transfer begins (start of Acquire 0x14, get
     * of Movie Read 0x8317): */
    VSIM_FAULT_CHUNK_TOO_LONG = 4,   /* chunk after `after_chunks` runs past its file */
    VSIM_FAULT_CHUNK_FAILS = 5,      /* acquire ends with `result` after `after_chunks`
                                        chunks; movie read after that many reads fails */
    VSIM_FAULT_NO_REMOVE_OBJECT = 6, /* no chunk marks the item's data complete */
    VSIM_FAULT_ZERO_TOTAL = 7,       /* totals announced as 0 */
    VSIM_FAULT_ABSURD_TOTAL = 8,     /* totals announced as 0xFFFFFFF0 */
};

/* A fault armed on matching entry calls; zero fields match anything. */
typedef struct vsim_fault {
    int32_t kind; /* enum vsim_fault_kind */
    uint32_t command;
    uint32_t param;
    uint32_t object_type;
    int32_t result;
    int32_t count;        /* -1 = until cleared */
    int32_t after_chunks; /* data faults: chunks (movie reads) that pass first */
} vsim_fault;

/* One file of a test item's data (vsim_add_file_item). */
typedef struct vsim_listed_file {
    uint32_t kind;          /* data kind bits: 0x11 picture file, 0x18 thumbnail, 0x01 raw rows */
    uint16_t file_type;     /* 1 JPEG, 2 TIFF, 4 ORW, 0x101 ... */
    uint32_t size;          /* bytes; for a file on disk its size there */
    uint32_t flags;         /* enum vsim_file_flags */
    uint32_t bytes_per_row; /* raw rows only; size must be a multiple */
} vsim_listed_file;

enum vsim_file_flags {
    VSIM_FILE_ON_DISK = 1,  /* data: the 256-byte file name, one chunk of 256 bytes */
    VSIM_FILE_RAW_ROWS = 2, /* records are raw image records, rows of bytes_per_row */
};

/* Module range record with natural (unpacked) C layout. */
typedef struct vsim_range {
    double value;
    double default_value;
    uint32_t value_index;
    uint32_t default_index;
    double lower;
    double upper;
    uint32_t steps;
} vsim_range;

/* Module date-time; months count from 0. */
typedef struct vsim_date_time {
    uint16_t year;
    uint16_t month;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint32_t sub_second;
} vsim_date_time;

/* Which open object an event is raised on. */
typedef struct vsim_event_target {
    uint32_t object_type; /* 1 module, 2 source, 3 item, 4 data object */
    int32_t camera;       /* sources, items, data objects */
    uint32_t item_id;     /* items and data objects */
    uint32_t data_id;     /* data objects */
} vsim_event_target;

/* Source events of a camera body beyond the basic event numbers. */
enum vsim_body_event {
    VSIM_EVENT_CAPTURE_COMPLETE = 0x108, /* a release has finished */
    VSIM_EVENT_CARD_ITEM_ADDED = 0x109,  /* datum: a movie item written to the card */
    VSIM_EVENT_RECORDING_ERROR = 0x10A,  /* datum: why recording stopped */
    VSIM_EVENT_UNASSIGNED = 0x120,       /* a code no body event is assigned to */
};

typedef void (*vsim_plug_listener)(void* context, int camera, bool attached);

/* ---- World ---------------------------------------------------------------- */
void vsim_reset(void);
int vsim_attach(const char* model); /* camera handle > 0, or 0 */
int vsim_detach(int camera);
/* Writes up to `capacity` handles; returns how many cameras are attached. */
size_t vsim_cameras(int* handles, size_t capacity);
/* Text getters copy at most size-1 bytes plus a NUL and return the full
 * length of the text (snprintf style); buffer may be NULL when size is 0. */
size_t vsim_model(int camera, char* buffer, size_t size);
size_t vsim_serial_number(int camera, char* buffer, size_t size);
size_t vsim_firmware_version(int camera, char* buffer, size_t size);
size_t vsim_model_count(void);
size_t vsim_model_name(size_t index, char* buffer, size_t size);
uint32_t vsim_source_id(int camera);
void vsim_set_plug_listener(vsim_plug_listener listener, void* context);

/* ---- Camera body ------------------------------------------------------------ */
int vsim_set_unsigned(int camera, uint32_t cap, uint32_t value);
int vsim_set_integer(int camera, uint32_t cap, int32_t value);
int vsim_set_boolean(int camera, uint32_t cap, bool value);
int vsim_set_float(int camera, uint32_t cap, double value);
int vsim_set_text(int camera, uint32_t cap, const char* value);
int vsim_set_enum_index(int camera, uint32_t cap, uint32_t index);
int vsim_set_enum_values(int camera, uint32_t cap, const uint32_t* values, size_t count,
                         uint32_t current_index);
/* Packed texts: `count` NUL-terminated texts back to back. */
int vsim_set_enum_texts(int camera, uint32_t cap, const char* packed, size_t count,
                        uint32_t current_index);
int vsim_set_range(int camera, uint32_t cap, const vsim_range* range);
int vsim_set_date_time(int camera, uint32_t cap, const vsim_date_time* value);
uint32_t vsim_get_unsigned(int camera, uint32_t cap);
int32_t vsim_get_integer(int camera, uint32_t cap);
bool vsim_get_boolean(int camera, uint32_t cap);
double vsim_get_float(int camera, uint32_t cap);
size_t vsim_get_text(int camera, uint32_t cap, char* buffer, size_t size);
uint32_t vsim_get_enum_index(int camera, uint32_t cap);
int vsim_get_range(int camera, uint32_t cap, vsim_range* out);
int vsim_get_date_time(int camera, uint32_t cap, vsim_date_time* out);
/* Text arrays (256-byte text elements): the element count, and element `index`
 * as it is stored, padding included. */
uint32_t vsim_text_element_count(int camera, uint32_t cap);
size_t vsim_get_text_element(int camera, uint32_t cap, uint32_t index, char* buffer, size_t size);
int vsim_has_capability(int camera, uint32_t cap);
int vsim_remove_capability(int camera, uint32_t cap);
int vsim_set_operations(int camera, uint32_t cap, uint32_t operations);

/* ---- Acting on the camera body ---------------------------------------------- *
 * Each change raises the events a value written by the program would raise
 * (value-changed on the source, capability-changed for changed lists). */
/* Turns a dial by `steps` entries of its list, stopping at either end: exposure
 * mode 0x8111, shutter speed 0x8112, aperture 0x8113 or ISO 0x8117. 1 when the
 * value moved; 0 at an end, for other capabilities, or while the shutter speed
 * lock holds the shutter dial. The meter follows at once. */
int vsim_turn_dial(int camera, uint32_t cap, int32_t steps);
/* Light of the camera's scene, in stops above what the power-on settings
 * (1/250 s, f/5.6, ISO 100) expose correctly. The body meters at once: exposure
 * status 0x810B in thirds of a stop (in mode M the settings count as well) and
 * blinking status 0x8323 beyond 3 stops either way; events only for changes. */
int vsim_set_scene_brightness(int camera, double stops);
double vsim_scene_brightness(int camera);
/* Lets the light of every scene drift slowly (a few stops, one swing per 240
 * idle calls); the body meters every fourth idle call. Off after reset. */
void vsim_set_scene_motion(bool on);
bool vsim_scene_motion(void);
/* Lowers battery level 0x0031 by `percent` (not below 0); 0 when it was empty. */
int vsim_drain_battery(int camera, int32_t percent);
/* The lens table (by name) and the lens mounted now. */
size_t vsim_lens_count(void);
size_t vsim_lens_name(size_t index, char* buffer, size_t size);
size_t vsim_mounted_lens(int camera, char* buffer, size_t size);
/* Changes the lens: lens info 0x8144 (empty without processor, and then AF mode
 * 0x81C3 is MF and not settable), lens type 0x825C, and the aperture lists
 * 0x8113 and 0x8337 cut to the lens's range (capability-changed). */
int vsim_mount_lens(int camera, const char* lens);
/* The release button on the body: a new item under the source (child-added),
 * remaining shots 0x818F one less, then event 0x108. With shutter speed "Bulb"
 * the first press opens the shutter and the next one ends the exposure. 0 when
 * the card is full or the battery empty. A Capture 0x0011 started by the
 * program does the same at the next idle call; Terminate Capture 0x8318 ends a
 * bulb exposure. */
int vsim_press_shutter(int camera);
/* The body ends live view: 0x823E becomes 0. 0 when live view was not on. */
int vsim_end_live_view(int camera);
/* A movie file appears on the card: a new movie item announced with event
 * 0x109 (datum: its id); returns the id, 0 on failure. */
uint32_t vsim_add_card_movie(int camera);
/* Recording stops with error `reason`: movie record status 0x8298 back to 0
 * and event 0x10A with the reason as datum; what was recorded is kept as a
 * movie item (event 0x109). */
int vsim_stop_recording_by_error(int camera, uint32_t reason);
/* Movie recording: writing 1 to 0x8298 in movie live view (0x823E 1, selector
 * 0x8334 at 1) starts it, elsewhere 0x8298 stays 0. A card problem (bits of
 * 0x8299 below) refuses the start with event 0x10A (datum: the bits) and stops
 * a running recording the same way. The movie is the scene at 25 frames a
 * second as Motion-JPEG in a QuickTime file, announced with event 0x109. */
enum vsim_card_state {
    VSIM_CARD_OK = 0,
    VSIM_CARD_MISSING = 0x01,
    VSIM_CARD_FULL = 0x08,
};
/* The card bits of movie record prohibit 0x8299 (other bits are kept);
 * value-changed follows. 0 for a body without movie recording. */
int vsim_set_card_state(int camera, uint32_t card_bits);
typedef struct vsim_recording_state {
    bool recording;
    uint32_t elapsed_ms;  /* of the recording under way */
    uint32_t last_item;   /* the item of the movie recorded last; 0 for none */
    uint32_t last_frames; /* its frames */
    uint32_t last_duration_ms;
    uint32_t last_size; /* bytes of its file */
} vsim_recording_state;
int vsim_get_recording_state(int camera, vsim_recording_state* out);
/* Flips the shutter speed lock 0x826A; while locked, shutter speed 0x8112
 * cannot be set. Raises capability-changed for 0x826A. */
int vsim_toggle_shutter_lock(int camera);

/* ---- Items (pictures and movies the camera holds) ---------------------------- */
/* Adds an item with image data (kind bit 0x01) and/or video data (0x04);
 * returns its id, 0 on failure. Raises child-added on the source. */
uint32_t vsim_add_item(int camera, uint32_t data_kinds);
int vsim_remove_item(int camera, uint32_t item_id);

/* ---- Picture and movie data --------------------------------------------------- *
 * The data object of a picture (child 1) delivers every file of the item in one
 * acquire (start of 0x14): chunks to its data procedure during idle calls, a few
 * per call, removeObject on the last chunk of the last file, then the completion.
 * The files follow the image quality 0x8110 at the release: a JPEG of the scene
 * at the image size 0x8157, an ORW file ("ORWSIM", item id, size, then bytes from
 * the item id), or both, with the JPEG and ORW sizes set at the release; the JPEG
 * is drawn when it is acquired, the same bytes every time. A movie (child 4)
 * is read through 0x8317. A NEVER_COMPLETE fault on the start of 0x14 delivers
 * the chunks and parks the completion. */
/* Chunk size in bytes (default 1 MiB); 0 is refused. */
int vsim_set_chunk_size(uint32_t bytes);
/* Pixel size of the JPEG of pictures taken from now on; 0, 0 follows the image
 * size setting again. Sides above 16384 are refused. */
int vsim_set_jpeg_size(uint32_t width, uint32_t height);
/* Size of the ORW file of pictures taken from now on (default 8 MiB); less than
 * its 14-byte header is refused. */
int vsim_set_raw_size(uint32_t bytes);
/* A movie item of `size` bytes, announced with child-added; returns its id, 0 on
 * failure. Card movies and movie items of vsim_add_item have 32 MiB. */
uint32_t vsim_add_movie_item(int camera, uint32_t size);
/* An item whose data object 1 delivers exactly `files` in one acquire; with
 * count 0 an item with data kinds 0 and no data object. Child-added; returns its
 * id, 0 for a refused list (size 0 without on-disk flag, raw rows that do not
 * fill whole rows). */
uint32_t vsim_add_file_item(int camera, const vsim_listed_file* files, size_t count);
/* Bytes the data of file `file_index` of data object `data_id` carry, in order,
 * as an acquire made now would deliver them (a file on disk: its 256-byte name);
 * data object 4 holds the movie as file 0. Copies up to `size` bytes from
 * `offset` into `buffer` (may be NULL) and returns the file's full length, 0 for
 * no such file. */
size_t vsim_data_file_bytes(int camera, uint32_t item_id, uint32_t data_id, uint32_t file_index,
                            uint64_t offset, void* buffer, size_t size);

/* ---- Production log ------------------------------------------------------------ *
 * Every file of every item a camera makes (a release, a movie on the card, an
 * added item), recorded when the item is made: the bytes of its files are fixed
 * then (image quality, JPEG size and ORW size in force at that moment), so an
 * acquire made at any later time delivers exactly these. Off after reset; turning
 * it on (or off) empties it. Files on the card that travel only by name are not
 * recorded. */
typedef struct vsim_produced_file {
    int32_t camera;
    uint32_t item_id;
    uint32_t data_id;    /* 1 a picture's files, 4 the movie */
    uint32_t file_index; /* in delivery order within the data object */
    uint32_t kind;       /* data kind bits: 0x11 picture file, 0x04 movie */
    uint16_t file_type;  /* 1 JPEG, 4 ORW, ...; 0 for a movie */
    uint64_t size;
    uint64_t checksum; /* 64-bit FNV-1a of the file's bytes */
} vsim_produced_file;

void vsim_set_production_log(bool on);
/* Copies up to `capacity` records (oldest first) and returns how many there are. */
size_t vsim_production_log(vsim_produced_file* records, size_t capacity);
/* 1 while the attached camera holds the item and the program has not taken it
 * whole: an acquire whose last chunk the data procedure accepted, or a movie read
 * that delivered the movie's last byte, takes it. 0 for a taken item, an unknown
 * one, or a camera no longer attached. */
int vsim_item_held(int camera, uint32_t item_id);

/* ---- Events ------------------------------------------------------------------ */
/* Queues an event for the open object(s) matching the target; 1 when at least
 * one open object will receive it at the next idle call. */
int vsim_raise_event(const vsim_event_target* target, uint32_t event, uintptr_t data);
/* Queues a user-interface request (kind 0-3, others allowed) to the module's
 * request procedure; 1 when the module is open. */
int vsim_request_user_interface(uint8_t kind, const char* prompt, const char* detail);
/* Removes a capability from the list of the object the target names (module,
 * source, item or data object of the world, open or not) and raises
 * capability-list-changed on the open objects matching it; 1 when removed. */
int vsim_remove_object_capability(const vsim_event_target* target, uint32_t cap);
/* Reply to the last delivered request; -1 when none was delivered. */
int32_t vsim_last_ui_reply(void);

/* ---- Live view ------------------------------------------------------------------ *
 * While live view status 0x823E is 1, a get of 0x8247 sizes the next frame (array
 * record: one byte per element, the element count the whole frame) and the
 * get-array that follows copies that frame: a header of 64, 128 or 384 bytes by
 * camera type 0x81D7, every number big-endian, then a JPEG. While 0x823E is 0 both
 * answer "not ready". The scene is 6000 x 4000 sensor units; it moves on 25 phases
 * a second and repeats after vsim_live_scene_phases() of them. Zoom 0x823F shows a
 * smaller area ("100%": one sensor unit per pixel) around the contrast-AF point
 * 0x824A, which also centres the AF area (its size by live view AF area mode
 * 0x8275). MF drive 0x8249 moves the lens focus by the MF drive step 0x8248 last
 * written (0 towards near, 1 towards far); a write of contrast AF 0x8240 drives it
 * over 8 frames (header byte 30 set) to the scene's focus (byte 40 then 2). The
 * further the focus is off, the more the picture blurs. */
enum vsim_live_view_fault {
    VSIM_LIVE_VIEW_FAULT_NONE = 0,
    VSIM_LIVE_VIEW_FAULT_CORRUPT_JPEG = 1,     /* the JPEG's frame header is broken */
    VSIM_LIVE_VIEW_FAULT_TRUNCATED_FRAME = 2,  /* ends inside the entropy-coded data */
    VSIM_LIVE_VIEW_FAULT_SEGMENT_PAST_END = 3, /* ends inside a marker segment */
};

typedef struct vsim_live_view_state {
    uint32_t frames;      /* frames sized since live view began */
    uint32_t header_size; /* by the camera type: 64, 128 or 384 */
    uint32_t jpeg_width;  /* of the frames to come */
    uint32_t jpeg_height;
    uint32_t faces;         /* in the scene, as the header counts them */
    int32_t focus_position; /* lens focus: 0 (near end) to 10000 (far end) */
    int32_t focus_target;   /* where the scene is sharp */
    uint32_t blur_radius;   /* of the last frame, in JPEG pixels; 0 is sharp */
    bool running;           /* live view is on */
    bool focus_driving;     /* a contrast AF drive is under way */
    bool in_focus;          /* contrast AF found the focus */
} vsim_live_view_state;

/* JPEG size of the frames (default 640 x 424); sides of 16 to 4096. */
int vsim_set_live_view_size(int camera, uint32_t width, uint32_t height);
/* Faces in the scene, 0 to 255: the header counts `count` (384-byte headers);
 * its table and the picture hold at most 35 of them. */
int vsim_set_live_view_faces(int camera, uint32_t count);
/* Damages the next `frames` frames (-1: until cleared) as `fault` says
 * (enum vsim_live_view_fault); VSIM_LIVE_VIEW_FAULT_NONE clears. */
int vsim_set_live_view_fault(int camera, int32_t fault, int32_t frames);
/* Holds every scene still at `phase` (taken modulo the phase count); a
 * negative phase lets it move again. Moving after reset. */
void vsim_freeze_live_scene(int32_t phase);
bool vsim_live_scene_frozen(void);
int32_t vsim_live_scene_phase(void);
int32_t vsim_live_scene_phases(void);
/* The live view clock (remaining time, scene motion) and with it every camera
 * clock 0x8124 moves on at once. Camera clocks run from the moment they are
 * set (or plugged in), a whole second at a time. */
void vsim_skip_time(uint32_t milliseconds);
int vsim_get_live_view_state(int camera, vsim_live_view_state* out);
/* The header of the frame sized last, as delivered; copies up to `size` bytes
 * and returns its length (0 before the first frame). */
size_t vsim_live_view_header(int camera, void* buffer, size_t size);
/* Live view pictures encoded since reset; a frame of a picture already
 * encoded is copied instead. */
uint64_t vsim_live_frames_encoded(void);

/* ---- Faults and log ------------------------------------------------------------ */
void vsim_inject_fault(const vsim_fault* fault);
void vsim_clear_faults(void);
size_t vsim_call_log(vsim_call_record* records, size_t capacity); /* returns total */
void vsim_clear_call_log(void);
int vsim_count_calls(uint32_t command, uint32_t param);
int vsim_pending_completions(void);
int vsim_module_open(void);

#ifdef __cplusplus
}
#endif
