/*
 * The utility library's plain functions: undecorated names, C types, callable
 * from C and from any language that can call C. Text is UTF-8.
 */
#ifndef OWUTIL_OWUTILC_H
#define OWUTIL_OWUTILC_H

#include <stdarg.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Paths ---- */

/* The size of the path buffers these functions take, terminating zero included. */
#define OWUTIL_PATH_BUFFER 260

/* source (a buffer of OWUTIL_PATH_BUFFER bytes, in and out) expressed relative
 * to the folder base; the result replaces source, cut to 259 bytes (at a
 * character boundary) and zero-filled to the end. Returns source (null when
 * source is null). */
char* DetermineRelativePath(char* source, const char* base);
/* A relative source made absolute against the folder base, stored back into
 * source as DetermineRelativePath does. */
char* ResolveRelativePath(char* source, const char* base);

/* ---- Text ---- */

/* Formats like printf (numbers always with "." as decimal point) into buffer:
 * the buffer is zero-filled over size bytes and at most size - 1 bytes are
 * copied, cut at a character boundary. Returns buffer. */
char* FormatVStr(char* buffer, int size, const char* format, va_list args);

/* ---- Base64 (MIME: lines of 76 characters ended by CR LF) ---- */

/* Encodes length bytes into text, which must hold the encoded size
 * (see CreateMatchingEncodingBuffer); text ends with a zero byte. */
void EncodeBuffer(const unsigned char* data, unsigned int length, char* text);
/* Decodes text (ended by a zero byte) into data and returns the number of
 * bytes written. Characters outside the alphabet are skipped; an incomplete
 * last group of characters is dropped. data must hold the decoded size. */
int DecodeBuffer(const char* text, unsigned char* data);
/* Allocates a zero-filled buffer of the encoded size for length input bytes,
 * stores it in *buffer and returns its size; 0 (and a null buffer) when
 * length is negative or the size does not fit in an int. */
int CreateMatchingEncodingBuffer(int length, char** buffer);
/* Allocates a zero-filled buffer large enough for DecodeBuffer(text), stores
 * it in *buffer and returns its size (0 and a null buffer when it cannot). */
int CreateMatchingDecodingBuffer(const char* text, unsigned char** buffer);
/* Frees a buffer made by the two functions above and sets the pointer to null. */
void DeleteMatchingBuffer(void** buffer);

/* Results of EncodeFile and DecodeFile. */
#define OWUTIL_FILE_DONE 0          /* done; also when the input cannot be opened (nothing written) */
#define OWUTIL_FILE_NO_OUTPUT 1     /* the output file cannot be created */
#define OWUTIL_FILE_NO_BUFFER 2     /* the working buffer cannot be allocated */
#define OWUTIL_FILE_IO_ERROR 3      /* reading or writing failed; an existing output is left unchanged */

/* Encodes the file inputPath into the text file outputPath (replaced). */
int EncodeFile(const char* inputPath, const char* outputPath);
/* Decodes the text file inputPath into outputPath (replaced). */
int DecodeFile(const char* inputPath, const char* outputPath);

/* ---- Compression (zlib streams) ---- */

/* Compresses inputLength bytes into output (room for outputLength bytes).
 * Returns the number of bytes written, 0 when they do not fit or an argument
 * is invalid. */
int OXCompress(const unsigned char* input, int inputLength, unsigned char* output, int outputLength);
/* Expands compressed data. Returns the number of bytes written, 0 when the
 * input is not complete compressed data or the result does not fit. */
int OXExpand(const unsigned char* input, int inputLength, unsigned char* output, int outputLength);

/* ---- Dialogs ----
 * parent: the owner window (a QWidget*) or null. A client without a Qt
 * application of its own gets one on first use; without a window system the
 * dialogs return 2 at once and change nothing. */

/* Shows one tip of the tips file (UTF-8 path): a tip per line; lines that
 * begin with a blank, a tab or ';' are skipped. *position (may be null) is
 * where to start, and receives where the next call goes on; *showAtStartup
 * (may be null) is the "Show tips on startup" check box, written back by OK;
 * stamp (stampSize bytes, may be null) holds the file's time stamp of the
 * last call: a different stamp starts the file from its top and is replaced.
 * A missing file beeps and returns 1 without showing anything. Returns 1 (OK)
 * or 2. */
int TipOfTheDay(void* parent, const char* file, int* position, int* showAtStartup, char* stamp, int stampSize);

/* Lets the user pick a date and time. *time is seconds since 1 January 1970
 * counted in local wall-clock time; OK (1) replaces it, Cancel (2) leaves it.
 * prompt (UTF-8) is shown above the picker. */
int DateTimeDlg(void* parent, const char* prompt, uint32_t* time);

#ifdef __cplusplus
}
#endif

#endif
