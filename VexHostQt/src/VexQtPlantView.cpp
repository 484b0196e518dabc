#include "VexQtPlantView.h"

#include <Qt3DCore/QAttribute>
#include <Qt3DCore/QBuffer>
#include <Qt3DCore/QEntity>
#include <Qt3DCore/QGeometry>
#include <Qt3DCore/QTransform>
#include <Qt3DExtras/QOrbitCameraController>
#include <Qt3DExtras/QForwardRenderer>
#include <Qt3DExtras/QPerVertexColorMaterial>
#include <Qt3DExtras/Qt3DWindow>
#include <Qt3DRender/QCamera>
#include <Qt3DRender/QDirectionalLight>
#include <Qt3DRender/QGeometryRenderer>
#include <Qt3DRender/QRenderCapture>
#include <QEventLoop>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "VexAECReviewBaseServices.h"
#include "VexCSO.h"
#include "VexFrmEditor.h"
#include "VexNavigation3DViewer.h"
#include "VexQtContextMenu.h"
#include "VexQtPlantScene.h"
#include "VexQtUser.h"
#include "VexSession.h"

namespace {

template <class T>
Qt3DCore::QBuffer* MakeBuffer(const std::vector<T>& values, Qt3DCore::QNode* parent) {
  auto* buffer = new Qt3DCore::QBuffer(parent);
  buffer->setData(QByteArray(reinterpret_cast<const char*>(values.data()),
                             static_cast<int>(values.size() * sizeof(T))));
  return buffer;
}

// Boxes share the vertices of a face between its two triangles.
void AddIndices(Qt3DCore::QGeometry* geometry, const std::vector<std::uint32_t>& indices) {
  auto* attribute = new Qt3DCore::QAttribute(geometry);
  attribute->setAttributeType(Qt3DCore::QAttribute::IndexAttribute);
  attribute->setVertexBaseType(Qt3DCore::QAttribute::UnsignedInt);
  attribute->setVertexSize(1);
  attribute->setCount(static_cast<uint>(indices.size()));
  attribute->setBuffer(MakeBuffer(indices, geometry));
  geometry->addAttribute(attribute);
}

void AddAttribute(Qt3DCore::QGeometry* geometry, Qt3DCore::QBuffer* buffer, const QString& name,
                  std::size_t vertexCount) {
  auto* attribute = new Qt3DCore::QAttribute(geometry);
  attribute->setName(name);
  attribute->setAttributeType(Qt3DCore::QAttribute::VertexAttribute);
  attribute->setVertexBaseType(Qt3DCore::QAttribute::Float);
  attribute->setVertexSize(3);
  attribute->setByteStride(3 * sizeof(float));
  attribute->setCount(static_cast<uint>(vertexCount));
  attribute->setBuffer(buffer);
  geometry->addAttribute(attribute);
}

// Qt 3D's RHI renderer of Qt 6.4 draws nothing with the per-vertex colour material; its OpenGL
// renderer does. The choice is read when the first 3D window is made.
Qt3DExtras::Qt3DWindow* MakeWindow() {
  if (qEnvironmentVariableIsEmpty("QT3D_RENDERER")) qputenv("QT3D_RENDERER", "opengl");
  return new Qt3DExtras::Qt3DWindow;
}

QVector3D ToVector(const std::array<float, 3>& v) { return {v[0], v[1], v[2]}; }

constexpr float kPickAperturePixels = 4.0f;

}  // namespace

VexQtPlantView::VexQtPlantView(QWidget* parent)
    : QWidget(parent), window_(MakeWindow()), root_(new Qt3DCore::QEntity) {
  setObjectName("PlantView");
  window_->defaultFrameGraph()->setClearColor(QColor(235, 238, 242));
  // The capture wraps the forward renderer, so a frame can be read back for pictures and tests.
  capture_ = new Qt3DRender::QRenderCapture;
  window_->activeFrameGraph()->setParent(capture_);
  window_->setActiveFrameGraph(capture_);

  Qt3DRender::QCamera* camera = window_->camera();
  camera->lens()->setPerspectiveProjection(40.0f, 16.0f / 9.0f, 10.0f, 1.0e6f);
  camera->setUpVector({0, 0, 1});
  auto* controller = new Qt3DExtras::QOrbitCameraController(root_);
  controller->setCamera(camera);
  controller->setLinearSpeed(20000.0f);
  controller->setLookSpeed(180.0f);
  auto* lightEntity = new Qt3DCore::QEntity(camera);
  auto* light = new Qt3DRender::QDirectionalLight(lightEntity);
  light->setWorldDirection({-0.3f, -0.5f, -1.0f});
  lightEntity->addComponent(light);
  window_->setRootEntity(root_);
  window_->installEventFilter(this);

  container_ = QWidget::createWindowContainer(window_, this);
  container_->setMinimumSize(320, 240);
  container_->setFocusPolicy(Qt::StrongFocus);
  auto* fit = new QToolButton;
  fit->setText(tr("Fit all"));
  fit->setObjectName("FitAllButton");
  connect(fit, &QToolButton::clicked, this, [this] { FitAll(); });
  undrawn_ = new QLabel;
  undrawn_->setWordWrap(true);
  auto* bar = new QHBoxLayout;
  bar->addWidget(fit);
  bar->addWidget(undrawn_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(container_, 1);
  layout->addLayout(bar);
  VexSession::GetSession().AddTransactionHandler(this);
}

VexQtPlantView::~VexQtPlantView() { VexSession::GetSession().RemoveTransactionHandler(this); }

void VexQtPlantView::ShowEditor(VexFrmEditor& editor, VexNavigation3DViewer& viewer) {
  editor_ = &editor;
  viewer_ = &viewer;
  scene_ = std::make_unique<VexQtPlantScene>(*editor.GetDocument());
  BuildMeshes();
  QStringList names;
  for (const std::string& name : scene_->GetUndrawn()) names << QString::fromStdString(name);
  undrawn_->setText(names.isEmpty() ? QString()
                                    : tr("Not drawn (no placement or route): %1").arg(names.join(", ")));
  reframesShown_ = viewer.GetReframeCount();
  FollowViewer();
  FitAll();
}

void VexQtPlantView::BuildMeshes() {
  buffersChanged_ = true;
  delete meshesRoot_;
  meshesRoot_ = new Qt3DCore::QEntity(root_);
  colorBuffers_.fill(nullptr);
  for (int kind = 0; kind < VexQtPlantScene::kKindCount; ++kind) {
    const VexQtPlantScene::Mesh& mesh = scene_->GetMesh(static_cast<VexElementKind>(kind));
    if (mesh.positions.empty()) continue;
    std::size_t vertices = mesh.positions.size() / 3;
    auto* entity = new Qt3DCore::QEntity(meshesRoot_);
    entity->setObjectName(QString("Kind%1").arg(kind));
    auto* geometry = new Qt3DCore::QGeometry(entity);
    AddAttribute(geometry, MakeBuffer(mesh.positions, geometry), Qt3DCore::QAttribute::defaultPositionAttributeName(), vertices);
    AddAttribute(geometry, MakeBuffer(mesh.normals, geometry), Qt3DCore::QAttribute::defaultNormalAttributeName(), vertices);
    colorBuffers_[kind] = MakeBuffer(mesh.colors, geometry);
    AddAttribute(geometry, colorBuffers_[kind], Qt3DCore::QAttribute::defaultColorAttributeName(), vertices);
    AddIndices(geometry, mesh.indices);
    auto* renderer = new Qt3DRender::QGeometryRenderer(entity);
    renderer->setGeometry(geometry);
    renderer->setPrimitiveType(Qt3DRender::QGeometryRenderer::Triangles);
    renderer->setVertexCount(static_cast<int>(mesh.indices.size()));
    entity->addComponent(renderer);
    entity->addComponent(new Qt3DExtras::QPerVertexColorMaterial(entity));
  }
}

void VexQtPlantView::UploadColors(int kind) {
  if (!colorBuffers_[kind]) return;
  buffersChanged_ = true;
  const std::vector<float>& colors = scene_->GetMesh(static_cast<VexElementKind>(kind)).colors;
  colorBuffers_[kind]->setData(QByteArray(reinterpret_cast<const char*>(colors.data()),
                                          static_cast<int>(colors.size() * sizeof(float))));
}

void VexQtPlantView::ScheduleFollow() {
  if (followScheduled_) return;
  followScheduled_ = true;
  QTimer::singleShot(0, this, [this] { FollowViewer(); });
}

void VexQtPlantView::FollowViewer() {
  followScheduled_ = false;
  if (!scene_ || !viewer_) return;
  for (VexElementKind kind : scene_->UpdateColors(*viewer_)) UploadColors(static_cast<int>(kind));
  if (viewer_->GetReframeCount() == reframesShown_) return;
  reframesShown_ = viewer_->GetReframeCount();
  std::vector<int> framed;
  for (const VexBaseUnknown_var& object : viewer_->GetReframedObjects()) {
    if (std::optional<int> index = scene_->IndexOf(object)) framed.push_back(*index);
  }
  if (!framed.empty()) Frame(scene_->Bounds(framed));
}

void VexQtPlantView::FitAll() {
  if (scene_) Frame(scene_->Bounds());
}

// Looks at the box's centre from above and to the side, far enough to see all of it.
void VexQtPlantView::Frame(const std::array<std::array<float, 3>, 2>& bounds) {
  QVector3D low = ToVector(bounds[0]), high = ToVector(bounds[1]);
  QVector3D centre = (low + high) / 2;
  float radius = std::max((high - low).length() / 2, 500.0f);
  float distance = radius / std::sin(qDegreesToRadians(window_->camera()->fieldOfView() / 2)) * 1.1f;
  QVector3D direction = QVector3D(-1.0f, -1.4f, 1.1f).normalized();
  Qt3DRender::QCamera* camera = window_->camera();
  camera->setViewCenter(centre);
  camera->setPosition(centre + direction * distance);
  camera->setUpVector({0, 0, 1});
}

void VexQtPlantView::Orbit(float degrees) { window_->camera()->panAboutViewCenter(degrees, {0, 0, 1}); }

std::array<std::array<float, 3>, 2> VexQtPlantView::Ray(const QPoint& at) const {
  Qt3DRender::QCamera* camera = window_->camera();
  QMatrix4x4 inverse = (camera->projectionMatrix() * camera->viewMatrix()).inverted();
  float x = 2.0f * at.x() / std::max(window_->width(), 1) - 1.0f;
  float y = 1.0f - 2.0f * at.y() / std::max(window_->height(), 1);
  QVector3D nearPoint = inverse.map(QVector3D(x, y, -1.0f));
  QVector3D farPoint = inverse.map(QVector3D(x, y, 1.0f));
  QVector3D direction = farPoint - nearPoint;
  return {{{nearPoint.x(), nearPoint.y(), nearPoint.z()}, {direction.x(), direction.y(), direction.z()}}};
}

// A click within a few pixels of a thin element takes it, as a CAD program's pick box does.
std::optional<int> VexQtPlantView::ElementAt(const QPoint& at) const {
  if (!scene_) return std::nullopt;
  auto [origin, direction] = Ray(at);
  float pixelPerDistance = 2 * std::tan(qDegreesToRadians(window_->camera()->fieldOfView() / 2)) /
                           static_cast<float>(std::max(window_->height(), 1));
  return scene_->Pick(origin, direction, kPickAperturePixels * pixelPerDistance);
}

// The middle box of a route lies on the element, where the centre of a bent route's bounds may
// be empty space.
QPoint VexQtPlantView::ProjectedCentre(int index) const {
  const std::vector<VexQtPlantScene::Box>& boxes = scene_->GetElements()[index].boxes;
  return Projected(boxes[boxes.size() / 2].centre);
}

QPoint VexQtPlantView::Projected(const std::array<float, 3>& point) const {
  Qt3DRender::QCamera* camera = window_->camera();
  QVector3D device = (camera->projectionMatrix() * camera->viewMatrix()).map(ToVector(point));
  return {static_cast<int>((device.x() + 1) / 2 * window_->width()),
          static_cast<int>((1 - device.y()) / 2 * window_->height())};
}

void VexQtPlantView::Click(const QPoint& at, Qt::KeyboardModifiers modifiers) {
  std::optional<int> index = ElementAt(at);
  if (!index) return;
  VexBaseUnknown_var element = scene_->GetElements()[*index].object;
  if (modifiers & Qt::ControlModifier) {
    VexQtRunPersonAction(this, [this, element] {
      VexSession::GetSession().RunEvent("add to the selection", [this, element] {
        editor_->GetCSO()->AddElement(VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(element)));
      });
    });
    return;
  }
  VexQtRunPersonAction(this, [element] { VexSession::GetSession().Pick(element, element); });
}

void VexQtPlantView::RightClick(const QPoint& at, const QPoint& globalAt) {
  std::optional<int> index = ElementAt(at);
  if (!index) return;
  VexQtOfferContextMenu(scene_->GetElements()[*index].object, this, globalAt);
}

// A press and release at nearly the same place is a click; anything else is the orbit
// controller's drag. A release counts only after its own press: under Xvfb the release that opened
// a contextual menu came a second time once the menu was closed with Escape.
bool VexQtPlantView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  if (event->type() == QEvent::MouseButtonPress) {
    pressedAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
  } else if (event->type() == QEvent::MouseButtonRelease && pressedAt_) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint at = mouse->position().toPoint();
    bool isClick = (at - *pressedAt_).manhattanLength() <= 4;
    pressedAt_.reset();
    if (isClick && mouse->button() == Qt::LeftButton) Click(at, mouse->modifiers());
    if (isClick && mouse->button() == Qt::RightButton) RightClick(at, mouse->globalPosition().toPoint());
  }
  return false;
}

QSize VexQtPlantView::GetViewportSize() const { return window_->size(); }

// The frame drawn right after new buffers were handed to Qt 3D may still show the old ones: a
// changed scene is captured a second time.
QImage VexQtPlantView::CaptureFrame(int timeoutMs) {
  QImage frame = CaptureOneFrame(timeoutMs);
  if (buffersChanged_ && !frame.isNull()) frame = CaptureOneFrame(timeoutMs);
  buffersChanged_ = false;
  return frame;
}

QImage VexQtPlantView::CaptureOneFrame(int timeoutMs) {
  std::unique_ptr<Qt3DRender::QRenderCaptureReply> reply(capture_->requestCapture());
  QEventLoop loop;
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  connect(reply.get(), &Qt3DRender::QRenderCaptureReply::completed, &loop, &QEventLoop::quit);
  if (!reply->isComplete()) loop.exec();
  return reply->isComplete() ? reply->image() : QImage();
}

void VexQtPlantView::PaintFrameInto(QPixmap& picture, QWidget* top) {
  QImage frame = CaptureFrame();
  if (frame.isNull()) return;
  QPainter painter(&picture);
  QRect place(container_->mapTo(top, QPoint(0, 0)), container_->size());
  painter.drawImage(place, frame);
}
