/* A native reader of the search benchmark's corpus, the yardstick for the
 * content search: libzip on two threads, no cache.
 *
 * usage: native_search FOLDER WORD
 *
 * For every card file NAME.krt of FOLDER it reads the members NAME.txt and
 * NAME.tbl (names compared without regard to letter case) and counts the lines
 * (CR or LF ending them, the text ending at a NUL) that hold WORD, ASCII letters
 * compared without regard to case. Prints the count and the seconds from the
 * first open of a card file to the last. */
#include <dirent.h>
#include <pthread.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <time.h>
#include <zip.h>

enum { Threads = 2 };

static char **names;
static int nameCount;
static const char *folder, *word;
static atomic_int next, total;

static int linesHolding(const char *text, size_t size) {
    const size_t length = strlen(word);
    int lines = 0;
    for (size_t start = 0; start < size;) {
        size_t end = start;
        while (end < size && text[end] != '\r' && text[end] != '\n' && text[end] != '\0')
            ++end;
        for (size_t at = start; at + length <= end; ++at) {
            if (strncasecmp(text + at, word, length) == 0) {
                ++lines;
                break;
            }
        }
        if (end < size && text[end] == '\0')
            break;
        start = end + 1;
    }
    return lines;
}

static int memberLines(zip_t *archive, const char *name) {
    zip_stat_t stat;
    const zip_int64_t index = zip_name_locate(archive, name, ZIP_FL_NOCASE);
    if (index < 0 || zip_stat_index(archive, index, 0, &stat) != 0)
        return 0;
    char *text = malloc(stat.size + 1);
    zip_file_t *file = zip_fopen_index(archive, index, 0);
    const zip_int64_t read = file ? zip_fread(file, text, stat.size) : -1;
    const int lines = read < 0 ? 0 : linesHolding(text, (size_t)read);
    if (file)
        zip_fclose(file);
    free(text);
    return lines;
}

static void *work(void *unused) {
    (void)unused;
    char path[4096], member[4096];
    for (int i; (i = atomic_fetch_add(&next, 1)) < nameCount;) {
        snprintf(path, sizeof path, "%s/%s", folder, names[i]);
        zip_t *archive = zip_open(path, ZIP_RDONLY, NULL);
        if (!archive)
            continue;
        const int stem = (int)strlen(names[i]) - 3; /* "NAME." */
        snprintf(member, sizeof member, "%.*stxt", stem, names[i]);
        int lines = memberLines(archive, member);
        snprintf(member, sizeof member, "%.*stbl", stem, names[i]);
        lines += memberLines(archive, member);
        zip_close(archive);
        atomic_fetch_add(&total, lines);
    }
    return NULL;
}

int main(int argc, char **argv) {
    if (argc != 3)
        return 2;
    folder = argv[1];
    word = argv[2];
    DIR *dir = opendir(folder);
    if (!dir)
        return 1;
    for (struct dirent *entry; (entry = readdir(dir));) {
        const size_t length = strlen(entry->d_name);
        if (length > 4 && strcasecmp(entry->d_name + length - 4, ".krt") == 0) {
            names = realloc(names, sizeof *names * (nameCount + 1));
            names[nameCount++] = strdup(entry->d_name);
        }
    }
    closedir(dir);
    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pthread_t threads[Threads];
    for (int i = 0; i < Threads; ++i)
        pthread_create(&threads[i], NULL, work, NULL);
    for (int i = 0; i < Threads; ++i)
        pthread_join(threads[i], NULL);
    clock_gettime(CLOCK_MONOTONIC, &end);
    printf("%d %.4f\n", atomic_load(&total),
           (double)(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9);
    return 0;
}
