// Shows only the topics whose title or key words hold every word typed.
function filterTopics() {
  var typed = document.getElementById("query").value.toLowerCase().split(/\s+/);
  var words = typed.filter(function (w) { return w.length > 0; });
  var shown = 0;
  document.querySelectorAll("#topics li").forEach(function (item) {
    var text = (item.textContent + " " + item.getAttribute("data-keywords")).toLowerCase();
    var match = words.every(function (w) { return text.indexOf(w) !== -1; });
    item.hidden = !match;
    if (match) {
      shown += 1;
    }
  });
  document.getElementById("none").hidden = shown !== 0;
}

document.addEventListener("DOMContentLoaded", function () {
  var query = document.getElementById("query");
  query.addEventListener("input", filterTopics);
  filterTopics();
  // Opened from the Find menu entry, the page is there to be typed in.
  query.focus();
});
