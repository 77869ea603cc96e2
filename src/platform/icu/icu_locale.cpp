// Placeholder until the backend lands.
namespace datewell {}  // namespace datewell
