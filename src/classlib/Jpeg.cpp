// JPEG through libjpeg's 6b interface.
//
// libjpeg reports a fatal error by calling error_exit, whose default ends the process. Ours
// formats the message and longjmps back into the decode or encode routine, which frees the
// codec and raises EJPEG. Everything that must survive the jump lives in a heap-allocated job
// created before setjmp, and the library's callbacks hold no C++ objects, so the jump skips
// no destructor. Corrupt-data warnings count as errors too: a damaged picture is refused
// rather than shown half grey.
#include "classlib/Jpeg.h"

#include <QImage>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/GraphicsQt.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnErrorExit(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, e->message);
  std::longjmp(e->jump, 1);
}

void OnEmitMessage(j_common_ptr cinfo, int level) {
  // Level -1 is a warning about corrupt data; traces (level >= 0) are ignored.
  if (level < 0 && cinfo->err->msg_code != JWRN_EXTRANEOUS_DATA) OnErrorExit(cinfo);
}

void OnOutputMessage(j_common_ptr) {}

void InstallErrorManager(ErrorManager& e) {
  jpeg_std_error(&e.pub);
  e.pub.error_exit = OnErrorExit;
  e.pub.emit_message = OnEmitMessage;
  e.pub.output_message = OnOutputMessage;
  e.message[0] = '\0';
}

// Source: the whole file in memory; running out of it is an error, not a filled-in end.
void SourceInit(j_decompress_ptr) {}
boolean SourceFill(j_decompress_ptr cinfo) {
  ERREXIT(cinfo, JERR_INPUT_EOF);
  return FALSE;
}
void SourceSkip(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  if (static_cast<size_t>(count) > cinfo->src->bytes_in_buffer) ERREXIT(cinfo, JERR_INPUT_EOF);
  cinfo->src->next_input_byte += count;
  cinfo->src->bytes_in_buffer -= static_cast<size_t>(count);
}
void SourceTerm(j_decompress_ptr) {}

// Destination: appends to a string in blocks.
struct Destination {
  jpeg_destination_mgr pub;
  std::string* out;
  JOCTET buffer[16384];
};
void DestInit(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  d->pub.next_output_byte = d->buffer;
  d->pub.free_in_buffer = sizeof d->buffer;
}
boolean DestEmpty(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  d->out->append(reinterpret_cast<const char*>(d->buffer), sizeof d->buffer);
  d->pub.next_output_byte = d->buffer;
  d->pub.free_in_buffer = sizeof d->buffer;
  return TRUE;
}
void DestTerm(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  d->out->append(reinterpret_cast<const char*>(d->buffer), sizeof d->buffer - d->pub.free_in_buffer);
}

struct DecodeJob {
  jpeg_decompress_struct cinfo;
  ErrorManager error;
  jpeg_source_mgr source;
  std::vector<JSAMPLE> row;
  TJpegPixels out;
};

struct EncodeJob {
  jpeg_compress_struct cinfo;
  ErrorManager error;
  Destination destination;
  std::string out;
};

QImage ToQImage(const TJpegPixels& p) {
  QImage image(p.width, p.height, QImage::Format_RGB32);
  for (int y = 0; y < p.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const auto* src = reinterpret_cast<const unsigned char*>(p.pixels.data()) + static_cast<size_t>(y) * p.width * p.components;
    for (int x = 0; x < p.width; ++x) {
      if (p.components == 1)
        line[x] = qRgb(src[x], src[x], src[x]);
      else
        line[x] = qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]);
    }
  }
  return image;
}

TJpegPixels FromQImage(const QImage& image, bool grayscale) {
  TJpegPixels p;
  p.width = image.width();
  p.height = image.height();
  p.components = grayscale ? 1 : 3;
  p.pixels.resize(static_cast<size_t>(p.width) * p.height * p.components);
  QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  auto* dst = reinterpret_cast<unsigned char*>(p.pixels.data());
  for (int y = 0; y < p.height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < p.width; ++x) {
      QRgb c = line[x];
      if (grayscale) {
        *dst++ = static_cast<unsigned char>(qGray(c));
      } else {
        *dst++ = static_cast<unsigned char>(qRed(c));
        *dst++ = static_cast<unsigned char>(qGreen(c));
        *dst++ = static_cast<unsigned char>(qBlue(c));
      }
    }
  }
  return p;
}

QImage GrayImage(const QImage& image) {
  return image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TJpegPixels DecodeJpeg(const std::string& data, bool grayscale, TJPEGScale scale, TJPEGPerformance performance) {
  auto job = std::make_unique<DecodeJob>();
  jpeg_decompress_struct* cinfo = &job->cinfo;
  cinfo->err = &job->error.pub;
  InstallErrorManager(job->error);
  if (setjmp(job->error.jump)) {
    jpeg_destroy_decompress(cinfo);
    throw EJPEG(String("JPEG error: ") + job->error.message);
  }
  jpeg_create_decompress(cinfo);
  job->source.init_source = SourceInit;
  job->source.fill_input_buffer = SourceFill;
  job->source.skip_input_data = SourceSkip;
  job->source.resync_to_restart = jpeg_resync_to_restart;
  job->source.term_source = SourceTerm;
  job->source.next_input_byte = reinterpret_cast<const JOCTET*>(data.data());
  job->source.bytes_in_buffer = data.size();
  cinfo->src = &job->source;
  jpeg_read_header(cinfo, TRUE);

  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  if (cmyk)
    cinfo->out_color_space = JCS_CMYK;
  else if (grayscale || cinfo->jpeg_color_space == JCS_GRAYSCALE)
    cinfo->out_color_space = JCS_GRAYSCALE;
  else
    cinfo->out_color_space = JCS_RGB;
  cinfo->scale_num = 1;
  cinfo->scale_denom = 1u << static_cast<unsigned>(scale);
  cinfo->dct_method = performance == jpBestSpeed ? JDCT_IFAST : JDCT_ISLOW;
  cinfo->do_fancy_upsampling = performance == jpBestSpeed ? FALSE : TRUE;
  jpeg_start_decompress(cinfo);

  const int width = static_cast<int>(cinfo->output_width), height = static_cast<int>(cinfo->output_height);
  const int inComponents = cinfo->output_components;
  job->out.width = width;
  job->out.height = height;
  job->out.components = cmyk ? (grayscale ? 1 : 3) : inComponents;
  job->out.pixels.resize(static_cast<size_t>(width) * height * job->out.components);
  job->row.resize(static_cast<size_t>(width) * inComponents);
  const bool inverted = cinfo->saw_Adobe_marker;
  while (cinfo->output_scanline < cinfo->output_height) {
    const int y = static_cast<int>(cinfo->output_scanline);
    JSAMPROW row = job->row.data();
    jpeg_read_scanlines(cinfo, &row, 1);
    auto* dst = reinterpret_cast<unsigned char*>(job->out.pixels.data()) + static_cast<size_t>(y) * width * job->out.components;
    if (!cmyk) {
      std::memcpy(dst, row, static_cast<size_t>(width) * inComponents);
      continue;
    }
    for (int x = 0; x < width; ++x) {
      int c = row[4 * x], m = row[4 * x + 1], yy = row[4 * x + 2], k = row[4 * x + 3];
      if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        yy = 255 - yy;
        k = 255 - k;
      }
      int r = c * k / 255, g = m * k / 255, b = yy * k / 255;
      if (job->out.components == 1) {
        dst[x] = static_cast<unsigned char>((r * 11 + g * 16 + b * 5) / 32);
      } else {
        dst[3 * x] = static_cast<unsigned char>(r);
        dst[3 * x + 1] = static_cast<unsigned char>(g);
        dst[3 * x + 2] = static_cast<unsigned char>(b);
      }
    }
  }
  jpeg_finish_decompress(cinfo);
  jpeg_destroy_decompress(cinfo);
  return std::move(job->out);
}

std::string EncodeJpeg(const TJpegPixels& image, int quality, bool grayscale, bool progressive) {
  if (image.width <= 0 || image.height <= 0 || (image.components != 1 && image.components != 3) ||
      image.pixels.size() < static_cast<size_t>(image.width) * image.height * image.components)
    throw EJPEG("JPEG error: no picture to encode");
  auto job = std::make_unique<EncodeJob>();
  jpeg_compress_struct* cinfo = &job->cinfo;
  cinfo->err = &job->error.pub;
  InstallErrorManager(job->error);
  if (setjmp(job->error.jump)) {
    jpeg_destroy_compress(cinfo);
    throw EJPEG(String("JPEG error: ") + job->error.message);
  }
  jpeg_create_compress(cinfo);
  job->destination.pub.init_destination = DestInit;
  job->destination.pub.empty_output_buffer = DestEmpty;
  job->destination.pub.term_destination = DestTerm;
  job->destination.out = &job->out;
  cinfo->dest = &job->destination.pub;
  cinfo->image_width = static_cast<JDIMENSION>(image.width);
  cinfo->image_height = static_cast<JDIMENSION>(image.height);
  cinfo->input_components = image.components;
  cinfo->in_color_space = image.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, std::clamp(quality, 1, 100), TRUE);
  if (grayscale && image.components == 3) jpeg_set_colorspace(cinfo, JCS_GRAYSCALE);
  cinfo->density_unit = 1;  // dots per inch
  cinfo->X_density = DefaultPixelsPerInch;
  cinfo->Y_density = DefaultPixelsPerInch;
  if (progressive) jpeg_simple_progression(cinfo);
  jpeg_start_compress(cinfo, TRUE);
  const size_t stride = static_cast<size_t>(image.width) * image.components;
  while (cinfo->next_scanline < cinfo->image_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<char*>(image.pixels.data())) + cinfo->next_scanline * stride;
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  jpeg_destroy_compress(cinfo);
  return std::move(job->out);
}

// ---- TJPEGImage ---------------------------------------------------------------------------

struct TJPEGImage::Private {
  std::string data;  // the encoded picture; empty when the pixels must be encoded
  QImage image;      // the decoded pixels (Format_RGB32)
};

TJPEGImage::TJPEGImage() : d(std::make_unique<Private>()) {}
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) {
    d->data.clear();
    d->image = QImage();
    Changed();
    return;
  }
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
    d->data = jpeg->d->data;
    d->image = jpeg->d->image;
    FQuality = jpeg->FQuality;
    FGrayscale = jpeg->FGrayscale;
    FProgressive = jpeg->FProgressive;
    FPerformance = jpeg->FPerformance;
    FScale = jpeg->FScale;
    FPixelFormat = jpeg->FPixelFormat;
    Changed();
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    d->image = bitmap->Image().copy();
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    TBitmap temp;
    temp.Assign(graphic);
    d->image = temp.Image().copy();
  } else {
    TPersistent::Assign(source);
    return;
  }
  if (FGrayscale && !d->image.isNull()) d->image = GrayImage(d->image);
  d->data.clear();
  Changed();
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->SetImage(d->image);
    return;
  }
  TGraphic::AssignTo(Dest);
}

bool TJPEGImage::Empty() const { return d->image.isNull(); }
int TJPEGImage::Width() const { return d->image.isNull() ? 0 : d->image.width(); }
int TJPEGImage::Height() const { return d->image.isNull() ? 0 : d->image.height(); }

void TJPEGImage::DropData() {
  if (!d->image.isNull()) d->data.clear();
}

void TJPEGImage::SetCompressionQuality(int quality) {
  quality = std::clamp(quality, 1, 100);
  if (quality == FQuality) return;
  FQuality = quality;
  DropData();
}

void TJPEGImage::SetGrayscale(bool grayscale) {
  if (grayscale == FGrayscale) return;
  FGrayscale = grayscale;
  if (!d->data.empty()) {
    d->image = ToQImage(DecodeJpeg(d->data, FGrayscale, FScale, FPerformance));
  } else if (FGrayscale && !d->image.isNull()) {
    d->image = GrayImage(d->image);
  }
  Changed();
}

void TJPEGImage::SetProgressiveEncoding(bool progressive) {
  if (progressive == FProgressive) return;
  FProgressive = progressive;
  DropData();
}

void TJPEGImage::Compress() {
  if (d->data.empty() && !d->image.isNull())
    d->data = EncodeJpeg(FromQImage(d->image, FGrayscale), FQuality, FGrayscale, FProgressive);
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty() || !canvas) return;
  TCanvas::Private* cd = TCanvasPainterAccess::Of(canvas);
  DrawImageOnCanvas(cd, cd->R(r).normalized(), d->image, d->image.rect(), canvas->CopyMode());
}

void TJPEGImage::LoadFromBytes(const std::string& data) {
  QImage image = ToQImage(DecodeJpeg(data, FGrayscale, FScale, FPerformance));
  d->data = data;
  d->image = std::move(image);
  Changed();
}

std::string TJPEGImage::SaveToBytes() const {
  if (!d->data.empty() || d->image.isNull()) return d->data;
  return EncodeJpeg(FromQImage(d->image, FGrayscale), FQuality, FGrayscale, FProgressive);
}

const QImage& TJPEGImage::Image() const { return d->image; }
