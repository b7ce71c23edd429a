// The web album without a mouse: the arrow keys and swipes go to the previous
// and next picture, Escape goes back; an opened picture is enlarged by whole
// device pixels. Without this script the links do the same.
(function () {
  "use strict";

  function openPicture() {
    var target = location.hash ? document.getElementById(decodeURIComponent(location.hash.slice(1))) : null;
    return target && target.classList.contains("picture") ? target : null;
  }

  function go(link) {
    if (link) location.replace(link.getAttribute("href"));
  }

  // The largest whole number of device pixels per picture pixel that fits the window.
  function fit(figure) {
    var img = figure.querySelector("img");
    var w = Number(img.getAttribute("width")), h = Number(img.getAttribute("height"));
    var ratio = window.devicePixelRatio || 1;
    var room = figure.querySelector(".caption").offsetHeight + figure.querySelector(".step").offsetHeight + 48;
    var k = Math.floor(Math.min((window.innerWidth - 16) * ratio / w, (window.innerHeight - room) * ratio / h));
    img.style.width = (w * Math.max(1, k) / ratio) + "px";
  }

  var shown = null;

  function update() {
    var figure = openPicture();
    if (shown && shown !== figure) shown.querySelector("img").style.width = "";
    if (figure) {
      fit(figure);
      figure.setAttribute("tabindex", "-1");
      figure.focus({ preventScroll: true });
    } else if (shown) {
      var thumb = shown.querySelector("a.thumb");
      if (thumb) thumb.focus();
    }
    shown = figure;
  }

  document.addEventListener("keydown", function (event) {
    var figure = openPicture();
    if (!figure || event.altKey || event.ctrlKey || event.metaKey) return;
    var link = { ArrowLeft: "a.prev", ArrowRight: "a.next", Escape: "a.close" }[event.key];
    if (!link) return;
    event.preventDefault();
    go(figure.querySelector(link));
  });

  // A click beside the picture closes it.
  document.addEventListener("click", function (event) {
    var figure = openPicture();
    if (figure && event.target === figure) go(figure.querySelector("a.close"));
  });

  var touch = null;
  document.addEventListener("touchstart", function (event) {
    touch = event.touches.length === 1 ? { x: event.touches[0].clientX, y: event.touches[0].clientY } : null;
  }, { passive: true });
  document.addEventListener("touchend", function (event) {
    var figure = openPicture();
    if (!figure || !touch || event.changedTouches.length !== 1) return;
    var dx = event.changedTouches[0].clientX - touch.x, dy = event.changedTouches[0].clientY - touch.y;
    touch = null;
    if (Math.abs(dx) < 40 || Math.abs(dx) < 2 * Math.abs(dy)) return;
    go(figure.querySelector(dx > 0 ? "a.prev" : "a.next"));
  });

  // Printed pages need every picture, not only those scrolled to.
  window.addEventListener("beforeprint", function () {
    document.querySelectorAll("img[loading=lazy]").forEach(function (img) { img.loading = "eager"; });
  });

  window.addEventListener("hashchange", update);
  window.addEventListener("resize", function () { if (shown) fit(shown); });
  update();
})();
